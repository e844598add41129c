#pragma once

#include <string>
#include <string_view>

namespace caplift::fuzz {

// What the fuzz targets check on each input; each returns what went wrong, or the empty text.

// Converts `document` three ways: whole, in small reads, and with the tree-and-XPath reference.
// All three must give the same SubRip text or the same failure, a failure must say what it is, and
// the text must have the SubRip shape.
std::string checkConversion(std::string_view document);

// Reads `bytes` as a time value, and its first 24 bytes as three doubles combined the way a cue's
// start is, and formats each result as a timestamp. Checks the value against the strtod path and
// the timestamps against their rules: the shape, "00:00:00,000" for values that have none, and
// within half a millisecond of the seconds.
std::string checkTime(std::string_view bytes);

// Converts `document` in the timeline mode, whole and in small reads: both must give the same
// outcome; a refusal must say why; the text must be SubRip blocks whose starts never go back and
// whose ends follow their starts, with no more cues than titles placed.
std::string checkTimeline(std::string_view document);

}  // namespace caplift::fuzz
