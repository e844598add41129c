#include "convert/cues/vtt_writer.h"

#include <algorithm>
#include <numeric>

#include "convert/cues/style_tags.h"
#include "convert/cues/timestamp.h"

namespace caplift {

void VttWriter::begin(CueOutput& out) {
  out.text() += "WEBVTT\n\n";
}

void VttWriter::cue(CueOutput&, std::size_t, const Cue& cue) {
  if (cue.end <= cue.start) return;
  if (!held_.empty() && cue.start < held_.back().start) sorted_ = false;
  appendTagged(texts_, cue.text, cue.runs, kept_, TagDialect::kWebVtt);
  held_.push_back({cue.start, cue.end, texts_.size()});
}

void VttWriter::end(CueOutput& out) {
  // Sorted by index, a stable sort: cues that start together keep the mode's order.
  std::vector<std::uint32_t> order(held_.size());
  std::iota(order.begin(), order.end(), 0u);
  if (!sorted_) {
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
      return held_[a].start < held_[b].start;
    });
  }
  std::string& text = out.text();
  for (std::uint32_t i : order) {
    const Held& cue = held_[i];
    const std::size_t begin = i == 0 ? 0 : held_[i - 1].textEnd;
    appendTimestamp(text, cue.start, '.');
    text += " --> ";
    appendTimestamp(text, cue.end, '.');
    text += '\n';
    text.append(texts_, begin, cue.textEnd - begin);
    text += "\n\n";
    if (!out.flushIfLarge()) return;
  }
}

}  // namespace caplift
