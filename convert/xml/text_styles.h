#pragma once

#include <libxml/parser.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
  void startElement(const xmlChar* name, bool hasNamespace, int count, const xmlChar** attributes) {
    ++depth_;
    // Every element passes here; few start as "text-style" does.
    if (hasNamespace || name[0] != 't' || name[1] != 'e' || name[2] != 'x' || name[3] != 't' ||
        name[4] != '-') {
      return;
    }
    startStyleElement(name, count, attributes);
  }
  void endElement() {
    if (!defs_.empty() && defs_.back().depth == depth_) endDef();
    --depth_;
  }
  // The text-style element that opened piece number `piece` of the reader's TextPieces.
  void startRun(std::uint32_t piece, int count, const xmlChar** attributes);

  // A cue's text, made as the modes make it: the pieces of its text, added in order, then
  // appendCue(). Each piece takes the style of its text-style, seen through the defs ended by now.
  void addPieces(const TextPieces& pieces, std::uint32_t first, std::uint32_t end);
  // Appends the joined pieces, trimmed once and without blank lines, or else `name`, to `text`,
  // and their runs to `runs`, then forgets the pieces added.
  void appendCue(std::string& text, std::vector<TextRun>& runs, std::string_view name);

 private:
  void startStyleElement(const xmlChar* name, int count, const xmlChar** attributes);
  void endDef();

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

  // The first def of each id, in one open-addressed table: an export has a def or two for every
  // title, and a table of nodes costs a cache miss or more for each.
  class DefTable {
   public:
    // Keeps `attributes` for `id` unless the id has some already.
    void add(std::string_view id, const StyleAttributes& attributes);
    // Brings the table's part for `id` into the cache, for an add() to come.
    void prefetch(std::string_view id) const;
    const StyleAttributes* find(std::string_view id) const;

   private:
    struct Entry {
      std::size_t offset;  // of the id in ids_
      std::size_t length;
      StyleAttributes attributes;
    };
    // A slot is small, so that much of the table stays in the cache: part of the id's hash, and
    // 1 + its entry's index (0: free).
    struct Slot {
      std::uint32_t hash = 0;
      std::uint32_t entry = 0;
    };
    std::size_t slotOf(std::string_view id, std::uint64_t hash) const;
    std::string_view idOf(const Entry& entry) const {
      return std::string_view(ids_).substr(entry.offset, entry.length);
    }

    std::vector<Slot> slots_ = std::vector<Slot>(64);
    std::vector<Entry> entries_;
    std::string ids_;
    // The entries of the ids added last: a run mostly refers to a def of its own title, and
    // finding it here saves a trip to the table.
    static constexpr std::size_t kRecent = 8;
    std::uint32_t recent_[kRecent] = {};
    std::size_t added_ = 0;
  };

  std::size_t depth_ = 0;
  std::vector<OpenDef> defs_;
  DefTable ended_;
  std::vector<Run> runs_;  // by piece
  std::string joined_;
  std::vector<Span> spans_;
};

}  // namespace caplift
