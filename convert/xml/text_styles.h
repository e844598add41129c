#pragma once

#include <libxml/parser.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/cues/cue.h"
#include "convert/xml/sax_reader.h"

namespace caplift {

// The style attributes that one text-style element writes: which of the four it has, and what
// each of those says.
struct StyleAttributes {
  static constexpr std::uint8_t kBold = 1, kItalic = 2, kUnderline = 4, kColor = 8;
  std::uint8_t present = 0;
  TextStyle style;
};

// `over`'s attributes, and `under`'s where `over` has none.
StyleAttributes layered(const StyleAttributes& over, const StyleAttributes& under);
// The style attributes among an element's attributes; `ref` gets its ref attribute, if any.
StyleAttributes readStyleAttributes(int count, const xmlChar** attributes,
                                    std::optional<std::string_view>* ref = nullptr);
// A fontColor, "r g b a" with each in [0, 1], as 0xRRGGBB; none when it cannot be read or is so
// near white that players show it as their default.
std::optional<std::uint32_t> readFontColor(std::string_view value);

// The styles of the text, gathered beside the pieces while styles are kept: the text-style-defs
// ended so far, and the style attributes of each piece's text-style. A mode's reader tells it of
// every element, and builds its cue texts through it.
class TextStyles {
 public:
  void startElement(const xmlChar* name, bool hasNamespace, int count, const xmlChar** attributes);
  void endElement();
  // The text-style element that opened piece number `piece` of the reader's TextPieces.
  void startRun(std::uint32_t piece, int count, const xmlChar** attributes);

  // A cue's text, made as the modes make it: the pieces of its text, added in order, then
  // appendCue(). Each piece takes the style of its text-style, seen through the defs ended by now.
  void addPieces(const TextPieces& pieces, std::uint32_t first, std::uint32_t end);
  // Appends the joined pieces, trimmed once and without blank lines, or else `name`, to `text`,
  // and their runs to `runs`, then forgets the pieces added.
  void appendCue(std::string& text, std::vector<TextRun>& runs, std::string_view name);

 private:
  struct OpenDef {
    std::size_t depth = 0;
    std::optional<std::string> id;
    bool sawStyle = false;
    StyleAttributes attributes;
  };
  struct Run {
    bool hasRef = false;
    std::string ref;
    StyleAttributes own;
  };
  struct Span {
    std::size_t end;  // in joined_
    TextStyle style;
  };

  std::size_t depth_ = 0;
  std::vector<OpenDef> defs_;
  std::unordered_map<std::string, StyleAttributes> ended_;  // the first def of each id
  std::vector<Run> runs_;                                   // by piece
  std::string joined_;
  std::vector<Span> spans_;
};

}  // namespace caplift
