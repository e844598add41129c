#pragma once

#include <vector>

#include "convert/extract_srt.h"
#include "convert/timeline_model.h"
#include "convert/timeline_walk.h"

namespace caplift::timeline {

// Writes the placed titles as SubRip cues numbered from 1, sorted by exact start; titles that
// start together keep walk order. False when the sink refuses the text.
bool writeCues(std::vector<Placement>& placements, const CueTexts& texts, TextSink& sink);

}  // namespace caplift::timeline
