#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "convert/cues/int128.h"

namespace caplift {

// A time on the subtitle track, in whole milliseconds.
using Milliseconds = UInt128;

// How a stretch of cue text looks. Plain unless styling is kept.
struct TextStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool hasColor = false;
  std::uint32_t color = 0;  // 0xRRGGBB

  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// A stretch of a cue's text, `length` bytes long, in one style.
struct TextRun {
  std::size_t length = 0;
  TextStyle style;
};

// Which element a cue comes from.
enum class CueKind : std::uint8_t { kTitle, kCaption };

// One subtitle, as both modes hand it to a writer. The views stay valid only during the call.
struct Cue {
  Milliseconds start = 0;
  Milliseconds end = 0;
  // The final plain text: its lines joined by line feeds, with no blank line.
  std::string_view text;
  // The styles of the text, in order, covering it whole; empty when it is all plain.
  std::span<const TextRun> runs;
  CueKind kind = CueKind::kTitle;
  // The element's role as written; empty when it has none.
  std::string_view role;
};

}  // namespace caplift
