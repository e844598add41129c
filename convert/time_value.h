#pragma once

#include <optional>
#include <string_view>

namespace caplift {

// A time position or length in seconds.
using Seconds = double;

// Reads an FCPXML time value ("3600s", "1001/30000s") as seconds. A missing value, or one that is
// not a numeral or a fraction of exactly two numerals, gives 0. Numerals are read as strtod reads
// them in the "C" locale, whatever the process locale. A zero denominator gives an infinity or NaN.
Seconds getTime(std::optional<std::string_view> value);

}  // namespace caplift
