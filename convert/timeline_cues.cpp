#include "convert/timeline_cues.h"

#include <algorithm>
#include <string>

#include "convert/srt_block.h"

namespace caplift::timeline {

namespace {

// Output goes to the sink in pieces of about this size.
constexpr std::size_t kFlushSize = 1 << 16;

bool before(const Placement& a, const Placement& b) {
  // Rounding keeps the order, so the stamps settle most comparisons cheaply.
  if (a.startMs != b.startMs) return a.startMs < b.startMs;
  if (a.start != b.start) return a.start < b.start;
  return a.order < b.order;
}

}  // namespace

bool writeCues(std::vector<Placement>& placements, const CueTexts& texts, TextSink& sink) {
  std::sort(placements.begin(), placements.end(), before);
  std::string out;
  std::size_t number = 0;
  for (const Placement& placement : placements) {
    appendCueBlockInMilliseconds(out, ++number, static_cast<UInt128>(placement.startMs),
                                 static_cast<UInt128>(placement.endMs), texts[placement.text]);
    if (out.size() >= kFlushSize) {
      if (!sink.write(out)) return false;
      out.clear();
    }
  }
  return out.empty() || sink.write(out);
}

}  // namespace caplift::timeline
