#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "convert/cues/cue.h"

namespace caplift {

// Which styles a conversion keeps as tags: a set of these bits. None keeps the text plain.
using StyleSet = std::uint8_t;
inline constexpr StyleSet kKeepItalic = 1;
inline constexpr StyleSet kKeepBold = 2;
inline constexpr StyleSet kKeepUnderline = 4;
inline constexpr StyleSet kKeepColor = 8;
inline constexpr StyleSet kKeepAll = kKeepItalic | kKeepBold | kKeepUnderline | kKeepColor;

// "i", "b", "u", "color" and "all", joined by commas; none when an item is anything else.
std::optional<StyleSet> parseStyleList(std::string_view list);

// How a format writes its tags: SubRip's <font color> as it stands, or WebVTT's colour classes
// over escaped text.
enum class TagDialect : std::uint8_t { kSubRip, kWebVtt };

// Appends `text` with the styles of `runs` that `kept` asks for, line by line: each stretch of
// equal tags is wrapped in them, except a stretch of white space alone. Tags never cross a line
// feed. WebVTT text is escaped first, with or without tags.
void appendTagged(std::string& out, std::string_view text, std::span<const TextRun> runs,
                  StyleSet kept, TagDialect dialect);

// WebVTT's escape of "&", "<" and ">".
void appendEscaped(std::string& out, std::string_view text);

}  // namespace caplift
