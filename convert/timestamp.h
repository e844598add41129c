#pragma once

#include <string>

#include "convert/int128.h"
#include "convert/time_value.h"

namespace caplift {

// Formats seconds as a SubRip timestamp "HH:MM:SS,mmm" (hours widen past two digits). Values that
// have no valid timestamp (negative, NaN, infinite, or beyond the signed 64-bit range of whole
// seconds) give "00:00:00,000"; a millisecond count that rounds to 1000 carries into the seconds.
std::string toHMS(Seconds seconds);

// Appends the same text to `out` without allocating a temporary.
void appendHMS(std::string& out, Seconds seconds);

// Appends the timestamp of a whole number of milliseconds.
void appendMillisecondsHMS(std::string& out, UInt128 milliseconds);

}  // namespace caplift
