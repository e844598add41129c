#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/cues/cue.h"

namespace caplift {

// A time position or length in seconds.
using Seconds = double;

// Reads an FCPXML time value ("3600s", "1001/30000s") as seconds. A missing value, or one that is
// not a numeral or a fraction of exactly two numerals, gives 0. Numerals are read as strtod reads
// them in the "C" locale, whatever the process locale. A zero denominator gives an infinity or NaN.
Seconds getTime(std::optional<std::string_view> value);

// Rounds seconds to the whole milliseconds of their subtitle timestamp. Values that have no valid
// timestamp (negative, NaN, infinite, or beyond the signed 64-bit range of whole seconds) give 0;
// a millisecond count that rounds to 1000 carries into the seconds.
Milliseconds millisecondsOf(Seconds seconds);

// Formats seconds as a SubRip timestamp "HH:MM:SS,mmm" (hours widen past two digits).
std::string toHMS(Seconds seconds);

}  // namespace caplift
