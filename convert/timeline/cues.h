#pragma once

#include <vector>

#include "convert/cues/cue_stream.h"
#include "convert/timeline/model.h"
#include "convert/timeline/walk.h"

namespace caplift::timeline {

// Hands the placed titles to `cues`, sorted by exact start; titles that start together keep walk
// order. False when the output refused the text.
bool handOver(std::vector<Placement>& placements, const CueTexts& texts, CueStream& cues);

}  // namespace caplift::timeline
