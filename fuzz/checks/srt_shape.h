#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace caplift::fuzz {

// Whether `text` reads \d{2,}:\d{2}:\d{2},\d{3} with minutes and seconds below 60.
bool isTimestamp(std::string_view text);

// Checks that `srt` is `cues` SubRip blocks numbered from 1: the number, "start --> end" with two
// timestamps, lines of text none of them blank, and one empty line. Returns what is wrong, or the
// empty text.
std::string checkSrtShape(std::string_view srt, std::size_t cues);

}  // namespace caplift::fuzz
