#include "convert/timeline/cues.h"

#include <algorithm>

namespace caplift::timeline {

namespace {

bool before(const Placement& a, const Placement& b) {
  // Rounding keeps the order, so the stamps settle most comparisons cheaply.
  if (a.startMs != b.startMs) return a.startMs < b.startMs;
  if (a.start != b.start) return a.start < b.start;
  return a.order < b.order;
}

}  // namespace

bool handOver(std::vector<Placement>& placements, const CueTexts& texts, CueStream& cues) {
  std::sort(placements.begin(), placements.end(), before);
  for (const Placement& placement : placements) {
    Cue cue;
    cue.start = static_cast<Milliseconds>(placement.startMs);
    cue.end = static_cast<Milliseconds>(placement.endMs);
    cue.text = texts[placement.text];
    cue.kind = texts.kinds[placement.text];
    cue.role = texts.roleNames[texts.roles[placement.text]];
    cue.runs = texts.runsOf(placement.text);
    if (!cues.add(cue)) return false;
  }
  return true;
}

}  // namespace caplift::timeline
