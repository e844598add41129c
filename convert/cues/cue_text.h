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

// Whether `line` holds only White_Space characters (or nothing).
bool isBlankLine(std::string_view line);

// What appendWithoutBlankLines() keeps, as `keep(begin, end)` for each stretch of `text` it
// appends: a kept line, with the line feed before it when it is not the first.
template <class Keep>
void forEachKeptLine(std::string_view text, Keep keep) {
  bool first = true;
  std::size_t begin = 0;
  while (true) {
    const std::size_t feed = text.find('\n', begin);
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
    if (!isBlankLine(text.substr(begin, end - begin))) {
      keep(first ? begin : begin - 1, end);
      first = false;
    }
    if (feed == std::string_view::npos) return;
    begin = feed + 1;
  }
}

}  // namespace caplift
