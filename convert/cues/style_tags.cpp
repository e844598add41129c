#include "convert/cues/style_tags.h"

#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "convert/cues/cue_text.h"

namespace caplift {

namespace {

// The tags a stretch is written with. Colour is the colour itself in SubRip and the index of its
// class in WebVTT; kNoColor when it gets no colour tag.
struct Tags {
  static constexpr std::uint32_t kNoColor = 0xFFFFFFFF;
  std::uint32_t color = kNoColor;
  bool bold = false;
  bool italic = false;
  bool underline = false;

  bool any() const { return color != kNoColor || bold || italic || underline; }
  friend bool operator==(const Tags&, const Tags&) = default;
};

struct ColorClass {
  std::uint32_t color;
  const char* name;
};

// The colours WebVTT names; white, its default, gives no tag anyway.
constexpr ColorClass kClasses[] = {
    {0x00FF00, "lime"},    {0x00FFFF, "cyan"}, {0xFF0000, "red"},   {0xFFFF00, "yellow"},
    {0xFF00FF, "magenta"}, {0x0000FF, "blue"}, {0x000000, "black"},
};

Tags tagsOf(const TextStyle& style, StyleSet kept, TagDialect dialect) {
  Tags tags;
  tags.bold = style.bold && (kept & kKeepBold);
  tags.italic = style.italic && (kept & kKeepItalic);
  tags.underline = style.underline && (kept & kKeepUnderline);
  if (style.hasColor && (kept & kKeepColor)) {
    if (dialect == TagDialect::kSubRip) {
      tags.color = style.color;
    } else {
      for (std::uint32_t i = 0; i < std::size(kClasses); ++i) {
        if (kClasses[i].color == style.color) tags.color = i;
      }
    }
  }
  return tags;
}

void appendSegment(std::string& out, std::string_view text, const Tags& tags, TagDialect dialect) {
  const bool bare = !tags.any() || trimWhiteSpace(text).empty();
  const bool vtt = dialect == TagDialect::kWebVtt;
  if (!bare && tags.color != Tags::kNoColor) {
    if (vtt) {
      out += "<c.";
      out += kClasses[tags.color].name;
      out += '>';
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "<font color=\"#";
      for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(tags.color >> shift) & 0xF];
      out += "\">";
    }
  }
  if (!bare && tags.bold) out += "<b>";
  if (!bare && tags.italic) out += "<i>";
  if (!bare && tags.underline) out += "<u>";
  if (vtt) {
    appendEscaped(out, text);
  } else {
    out.append(text);
  }
  if (bare) return;
  if (tags.underline) out += "</u>";
  if (tags.italic) out += "</i>";
  if (tags.bold) out += "</b>";
  if (tags.color != Tags::kNoColor) out += vtt ? "</c>" : "</font>";
}

}  // namespace

std::optional<StyleSet> parseStyleList(std::string_view list) {
  StyleSet set = 0;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    if (item == "i") {
      set |= kKeepItalic;
    } else if (item == "b") {
      set |= kKeepBold;
    } else if (item == "u") {
      set |= kKeepUnderline;
    } else if (item == "color") {
      set |= kKeepColor;
    } else if (item == "all") {
      set |= kKeepAll;
    } else {
      return std::nullopt;
    }
    if (comma == std::string_view::npos) return set;
    list.remove_prefix(comma + 1);
  }
}

namespace {

// The length of the start of `text` that holds no "&", "<" or ">", found 16 bytes at a time where
// the processor can, else eight: a byte equal to one of them becomes zero under the exclusive or.
std::size_t plainPrefix(std::string_view text) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i amp = _mm_set1_epi8('&');
  const __m128i lt = _mm_set1_epi8('<');
  const __m128i gt = _mm_set1_epi8('>');
  for (; text.size() - i >= 16; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, amp), _mm_cmpeq_epi8(bytes, lt)),
                     _mm_cmpeq_epi8(bytes, gt));
    if (const int mask = _mm_movemask_epi8(hits); mask != 0)
      return i + std::countr_zero(unsigned(mask));
  }
#endif
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  const auto hasZero = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHighs) != 0; };
  for (; text.size() - i >= 8; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if (hasZero(word ^ (kOnes * '&')) || hasZero(word ^ (kOnes * '<')) ||
        hasZero(word ^ (kOnes * '>'))) {
      break;
    }
  }
  while (i < text.size() && text[i] != '&' && text[i] != '<' && text[i] != '>') ++i;
  return i;
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text) {
  // Text between the escaped bytes goes in one piece.
  for (std::size_t plain; (plain = plainPrefix(text)) < text.size();) {
    out.append(text.data(), plain);
    const char c = text[plain];
    out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
    text.remove_prefix(plain + 1);
  }
  out.append(text);
}

void appendTagged(std::string& out, std::string_view text, std::span<const TextRun> runs,
                  StyleSet kept, TagDialect dialect) {
  if (runs.empty() || kept == 0) {
    if (dialect == TagDialect::kWebVtt) {
      appendEscaped(out, text);
    } else {
      out.append(text);
    }
    return;
  }
  // A segment grows while the tags stay equal, and ends at a line feed or a change of tags.
  std::size_t segment = 0;  // its start in text
  Tags segmentTags;
  std::size_t at = 0;
  auto endSegment = [&](std::size_t end) {
    if (end > segment)
      appendSegment(out, text.substr(segment, end - segment), segmentTags, dialect);
    segment = end;
  };
  for (const TextRun& run : runs) {
    const Tags tags = tagsOf(run.style, kept, dialect);
    const std::size_t runEnd = at + run.length;
    if (!(tags == segmentTags)) {
      endSegment(at);
      segmentTags = tags;
    }
    for (std::size_t feed = text.find('\n', at); feed < runEnd; feed = text.find('\n', at)) {
      endSegment(feed);
      out += '\n';
      segment = at = feed + 1;
    }
    at = runEnd;
  }
  endSegment(text.size());
}

}  // namespace caplift
