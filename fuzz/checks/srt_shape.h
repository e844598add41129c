#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace caplift::fuzz {

// Whether `text` reads \d{2,}:[0-5]\d:[0-5]\d,\d{3}.
bool isTimestamp(std::string_view text);

// Checks that `srt` is `cues` SubRip blocks numbered from 1: the number, "start --> end" with two
// timestamps, lines of text none of them blank, and one empty line. Returns what is wrong, or the
// empty text; the timing lines go to `timings` when it is given.
std::string checkSrtShape(std::string_view srt, std::size_t cues,
                          std::vector<std::string_view>* timings = nullptr);

}  // namespace caplift::fuzz
