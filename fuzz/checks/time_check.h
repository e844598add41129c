#pragma once

#include <string>
#include <string_view>

namespace caplift::fuzz {

// Reads `bytes` as a time value, and its first 24 bytes as three doubles combined the way a cue's
// start is (title offset + parent offset - parent start), and formats each result as a timestamp.
// Checks them against the reference and the timestamp's own rules: the shape, the "00:00:00,000"
// of values that have none, and a value within half a millisecond of the seconds. Returns what
// went wrong, or the empty text.
std::string checkTime(std::string_view bytes);

}  // namespace caplift::fuzz
