#pragma once

#include <string>
#include <string_view>

namespace caplift {

// `text` without the characters of the Unicode White_Space property at either end (tab to carriage
// return, space, U+0085, U+00A0, U+1680, U+2000-U+200A, U+2028, U+2029, U+202F, U+205F, U+3000).
// `text` is UTF-8; inner white space stays.
std::string_view trimWhiteSpace(std::string_view text);

// Appends `text` to `out` without its lines that are empty or hold only white space: a blank line
// would end the cue early for SubRip readers. Lines end at line feeds.
void appendWithoutBlankLines(std::string& out, std::string_view text);

}  // namespace caplift
