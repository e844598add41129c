#include "convert/xml/text_styles.h"

#include <algorithm>
#include <cstring>

#include "convert/cues/cue_text.h"

namespace caplift {

namespace {

enum class StyleElement : std::uint8_t { kOther, kTextStyle, kTextStyleDef };

// Whether `name` is exactly `wanted`, compared in place: a call to strcmp for each of the many
// attributes of a style costs more than the comparison.
template <std::size_t N>
bool named(const char* name, const char (&wanted)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (name[i] != wanted[i]) return false;
  }
  return true;
}

StyleElement styleElement(const xmlChar* name) {
  const auto* text = reinterpret_cast<const char*>(name);
  if (named(text, "text-style")) return StyleElement::kTextStyle;
  return named(text, "text-style-def") ? StyleElement::kTextStyleDef : StyleElement::kOther;
}

std::uint64_t hashOf(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return hash;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// A decimal numeral times 255, clamped to [0, 1] first and rounded half up, worked on its digits
// so that no binary fraction moves a half; none when `text` is no numeral.
std::optional<std::uint32_t> scaledChannel(std::string_view text) {
  // The usual "0", "1" and "0.0313726": a fraction of up to 15 digits is worked in 64-bit
  // integers.
  if (text == "0" || text == "1") return text[0] == '1' ? 255 : 0;
  if (text.size() >= 3 && text.size() <= 17 && text[0] == '0' && text[1] == '.') {
    std::uint64_t numerator = 0;
    std::uint64_t scale = 1;
    std::size_t at = 2;
    for (; at < text.size() && isDigit(text[at]); ++at) {
      numerator = numerator * 10 + static_cast<unsigned>(text[at] - '0');
      scale *= 10;
    }
    if (at == text.size()) {
      // 255 * n / scale, rounded half up.
      return static_cast<std::uint32_t>((numerator * 510 + scale) / (scale * 2));
    }
  }
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::string digits;
  std::size_t integerDigits = 0;
  while (at < text.size() && isDigit(text[at])) digits += text[at++];
  integerDigits = digits.size();
  if (integerDigits == 0) return std::nullopt;
  if (at < text.size() && text[at] == '.') {
    ++at;
    const std::size_t before = digits.size();
    while (at < text.size() && isDigit(text[at])) digits += text[at++];
    if (digits.size() == before) return std::nullopt;
  }
  long long exponent = 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    bool negativeExponent = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
      negativeExponent = text[at++] == '-';
    }
    if (at == text.size() || !isDigit(text[at])) return std::nullopt;
    for (; at < text.size() && isDigit(text[at]); ++at) {
      exponent = std::min(exponent * 10 + (text[at] - '0'), 1000000LL);  // far past any digit
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (at != text.size()) return std::nullopt;

  // The value is 0.digits times ten to the power `point`, with no leading zero in digits.
  const std::size_t zeros = std::min(digits.find_first_not_of('0'), digits.size());
  digits.erase(0, zeros);
  const long long point =
      static_cast<long long>(integerDigits) - static_cast<long long>(zeros) + exponent;
  if (digits.empty() || negative) return 0;
  if (point >= 1) return 255;  // at least 1
  if (point <= -3) return 0;   // below 0.001, which gives less than a half
  digits.insert(0, static_cast<std::size_t>(-point), '0');
  // 255 times 0.digits: the carry out of the first digit is the whole part.
  unsigned carry = 0;
  for (std::size_t i = digits.size(); i-- > 0;) {
    const unsigned product = static_cast<unsigned>(digits[i] - '0') * 255 + carry;
    digits[i] = static_cast<char>('0' + product % 10);
    carry = product / 10;
  }
  return carry + (digits[0] >= '5' ? 1 : 0);
}

}  // namespace

StyleAttributes layered(const StyleAttributes& over, const StyleAttributes& under) {
  StyleAttributes result = under;
  result.present |= over.present;
  if (over.present & StyleAttributes::kBold) result.style.bold = over.style.bold;
  if (over.present & StyleAttributes::kItalic) result.style.italic = over.style.italic;
  if (over.present & StyleAttributes::kUnderline) result.style.underline = over.style.underline;
  if (over.present & StyleAttributes::kColor) {
    result.style.hasColor = over.style.hasColor;
    result.style.color = over.style.color;
  }
  return result;
}

StyleAttributes readStyleAttributes(int count, const xmlChar** attributes,
                                    std::optional<std::string_view>* ref) {
  StyleAttributes read;
  forEachAttribute(count, attributes, [&](const char* name, std::string_view value) {
    // Fonts, sizes and alignments are most of the attributes: one look at the first letter.
    const bool on = value == "1";
    switch (name[0]) {
      case 'b':
        if (named(name, "bold")) {
          read.present |= StyleAttributes::kBold;
          read.style.bold = on;
        }
        break;
      case 'i':
        if (named(name, "italic")) {
          read.present |= StyleAttributes::kItalic;
          read.style.italic = on;
        }
        break;
      case 'u':
        if (named(name, "underline")) {
          read.present |= StyleAttributes::kUnderline;
          read.style.underline = on;
        }
        break;
      case 'f':
        if (named(name, "fontColor")) {
          read.present |= StyleAttributes::kColor;
          const auto color = readFontColor(value);
          read.style.hasColor = color.has_value();
          read.style.color = color.value_or(0);
        }
        break;
      case 'r':
        if (ref != nullptr && named(name, "ref")) *ref = value;
        break;
      default:
        break;
    }
  });
  return read;
}

std::optional<std::uint32_t> readFontColor(std::string_view value) {
  std::uint32_t color = 0;
  bool nearWhite = true;
  for (int channel = 0; channel < 3; ++channel) {
    while (!value.empty() && isAsciiSpace(value.front())) value.remove_prefix(1);
    std::size_t length = 0;
    while (length < value.size() && !isAsciiSpace(value[length])) ++length;
    const auto byte = scaledChannel(value.substr(0, length));
    if (!byte) return std::nullopt;
    value.remove_prefix(length);
    color = color << 8 | *byte;
    nearWhite = nearWhite && *byte >= 240;
  }
  if (nearWhite) return std::nullopt;
  return color;
}

std::size_t TextStyles::DefTable::slotOf(std::string_view id, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const auto part = static_cast<std::uint32_t>(hash >> 32);
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const Slot& s = slots_[slot];
    if (s.entry == 0 || (s.hash == part && idOf(entries_[s.entry - 1]) == id)) return slot;
  }
}

void TextStyles::DefTable::add(std::string_view id, const StyleAttributes& attributes) {
  const std::uint64_t hash = hashOf(id);
  Slot& slot = slots_[slotOf(id, hash)];
  const bool added = slot.entry == 0;
  if (added) {
    entries_.push_back({ids_.size(), id.size(), attributes});
    ids_.append(id);
    slot = {static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint32_t>(entries_.size())};
  }
  recent_[added_++ % kRecent] = slot.entry;
  if (!added || entries_.size() * 2 <= slots_.size()) return;
  // At most half full, so that a search ends soon at a free slot.
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t e = 0; e < entries_.size(); ++e) {
    const std::uint64_t entryHash = hashOf(idOf(entries_[e]));
    std::size_t at = entryHash & mask;
    while (slots_[at].entry != 0) at = (at + 1) & mask;
    slots_[at] = {static_cast<std::uint32_t>(entryHash >> 32), e + 1};
  }
}

void TextStyles::DefTable::prefetch(std::string_view id) const {
  __builtin_prefetch(&slots_[hashOf(id) & (slots_.size() - 1)]);
}

const StyleAttributes* TextStyles::DefTable::find(std::string_view id) const {
  for (std::size_t i = 0; i < kRecent && i < added_; ++i) {
    const Entry& recent = entries_[recent_[(added_ - 1 - i) % kRecent] - 1];
    if (idOf(recent) == id) return &recent.attributes;
  }
  const Slot& slot = slots_[slotOf(id, hashOf(id))];
  return slot.entry == 0 ? nullptr : &entries_[slot.entry - 1].attributes;
}

void TextStyles::startStyleElement(const xmlChar* name, int count, const xmlChar** attributes) {
  const StyleElement element = styleElement(name);
  if (element == StyleElement::kTextStyleDef) {
    OpenDef def;
    def.depth = depth_;
    forEachAttribute(count, attributes, [&](const char* key, std::string_view value) {
      if (named(key, "id")) def.id.emplace(value);
    });
    // The table is large; its slot comes into the cache while the def is read.
    if (def.id) ended_.prefetch(*def.id);
    defs_.push_back(std::move(def));
  } else if (!defs_.empty() && defs_.back().depth + 1 == depth_ && !defs_.back().sawStyle &&
             element == StyleElement::kTextStyle) {
    defs_.back().sawStyle = true;
    defs_.back().attributes = readStyleAttributes(count, attributes);
  }
}

void TextStyles::endDef() {
  OpenDef& def = defs_.back();
  if (def.id) ended_.add(*def.id, def.attributes);
  defs_.pop_back();
}

void TextStyles::startRun(std::uint32_t piece, int count, const xmlChar** attributes) {
  if (piece >= runs_.size()) runs_.resize(piece + 1);
  Run& run = runs_[piece];
  std::optional<std::string_view> ref;
  run.own = readStyleAttributes(count, attributes, &ref);
  run.hasRef = ref.has_value();
  run.ref.assign(ref.value_or(std::string_view()));
}

void TextStyles::addPieces(const TextPieces& pieces, std::uint32_t first, std::uint32_t end) {
  for (std::uint32_t p = first; p < end; ++p) {
    joined_ += pieces[p];
    const Run& run = runs_[p];
    StyleAttributes style = run.own;
    if (run.hasRef) {
      if (const StyleAttributes* def = ended_.find(run.ref)) style = layered(run.own, *def);
    }
    spans_.push_back({joined_.size(), style.style});
  }
}

void TextStyles::appendCue(std::string& text, std::vector<TextRun>& runs, std::string_view name) {
  const std::string_view trimmed = trimWhiteSpace(joined_);
  if (trimmed.empty()) {
    appendWithoutBlankLines(text, name);  // plain
  } else {
    const std::size_t offset = static_cast<std::size_t>(trimmed.data() - joined_.data());
    const std::size_t firstRun = runs.size();
    std::size_t span = 0;
    forEachKeptLine(trimmed, [&](std::size_t begin, std::size_t end) {
      text.append(trimmed.substr(begin, end - begin));
      // The spans over [begin, end) of joined_, each cut to it.
      for (std::size_t at = offset + begin; at < offset + end;) {
        while (spans_[span].end <= at) ++span;
        const std::size_t stop = std::min(spans_[span].end, offset + end);
        const TextStyle& style = spans_[span].style;
        if (runs.size() > firstRun && runs.back().style == style) {
          runs.back().length += stop - at;
        } else {
          runs.push_back({stop - at, style});
        }
        at = stop;
      }
    });
  }
  joined_.clear();
  spans_.clear();
}

}  // namespace caplift
