#pragma once

#include <string>

#include "convert/cues/cue.h"

namespace caplift {

// Appends the timestamp "HH:MM:SS<separator>mmm" of a whole number of milliseconds; the hours
// widen past two digits. SubRip separates the milliseconds with ",", WebVTT with ".".
void appendTimestamp(std::string& out, Milliseconds milliseconds, char separator);

}  // namespace caplift
