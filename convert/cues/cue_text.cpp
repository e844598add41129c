#include "convert/cues/cue_text.h"

#include <cstring>

namespace caplift {

namespace {

// Length of the White_Space character that starts `text`, or 0.
std::size_t leadingSpaceLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (b0 == ' ' || (b0 >= '\t' && b0 <= '\r')) return 1;
  if (b0 < 0xC2 || text.size() < 2) return 0;
  const auto b1 = static_cast<unsigned char>(text[1]);
  if (b0 == 0xC2) return (b1 == 0x85 || b1 == 0xA0) ? 2 : 0;
  if (text.size() < 3) return 0;
  const auto b2 = static_cast<unsigned char>(text[2]);
  if (b0 == 0xE1) return (b1 == 0x9A && b2 == 0x80) ? 3 : 0;  // U+1680
  if (b0 == 0xE3) return (b1 == 0x80 && b2 == 0x80) ? 3 : 0;  // U+3000
  if (b0 != 0xE2) return 0;
  if (b1 == 0x80) {
    // U+2000-U+200A, U+2028, U+2029, U+202F
    return (b2 <= 0x8A || b2 == 0xA8 || b2 == 0xA9 || b2 == 0xAF) ? 3 : 0;
  }
  return (b1 == 0x81 && b2 == 0x9F) ? 3 : 0;  // U+205F
}

// Length of the White_Space character that ends `text`, or 0. The two- and three-byte forms are
// recognised by their last bytes: in valid UTF-8 they cannot end a longer character.
std::size_t trailingSpaceLength(std::string_view text) {
  const std::size_t n = text.size();
  if (n == 0) return 0;
  const auto last = static_cast<unsigned char>(text[n - 1]);
  if (last < 0x80) return (last == ' ' || (last >= '\t' && last <= '\r')) ? 1 : 0;
  if (n >= 2 && static_cast<unsigned char>(text[n - 2]) == 0xC2) {
    return (last == 0x85 || last == 0xA0) ? 2 : 0;
  }
  if (n >= 3) return leadingSpaceLength(text.substr(n - 3)) == 3 ? 3 : 0;
  return 0;
}

}  // namespace

bool isBlankLine(std::string_view line) {
  while (!line.empty()) {
    const std::size_t length = leadingSpaceLength(line);
    if (length == 0) return false;
    line.remove_prefix(length);
  }
  return true;
}

std::string_view trimWhiteSpace(std::string_view text) {
  while (std::size_t length = leadingSpaceLength(text)) text.remove_prefix(length);
  while (std::size_t length = trailingSpaceLength(text)) text.remove_suffix(length);
  return text;
}

void appendWithoutBlankLines(std::string& out, std::string_view text) {
  bool first = true;
  while (true) {
    const std::size_t feed = text.find('\n');
    const std::string_view line = text.substr(0, feed);
    if (!isBlankLine(line)) {
      if (!first) out += '\n';
      out.append(line);
      first = false;
    }
    if (feed == std::string_view::npos) return;
    text.remove_prefix(feed + 1);
  }
}

}  // namespace caplift
