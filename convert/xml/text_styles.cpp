#include "convert/xml/text_styles.h"

#include <algorithm>
#include <cstring>

#include "convert/cues/cue_text.h"

namespace caplift {

namespace {

bool named(const xmlChar* name, const char* wanted) {
  return std::strcmp(reinterpret_cast<const char*>(name), wanted) == 0;
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
    const bool on = value == "1";
    if (std::strcmp(name, "bold") == 0) {
      read.present |= StyleAttributes::kBold;
      read.style.bold = on;
    } else if (std::strcmp(name, "italic") == 0) {
      read.present |= StyleAttributes::kItalic;
      read.style.italic = on;
    } else if (std::strcmp(name, "underline") == 0) {
      read.present |= StyleAttributes::kUnderline;
      read.style.underline = on;
    } else if (std::strcmp(name, "fontColor") == 0) {
      read.present |= StyleAttributes::kColor;
      const auto color = readFontColor(value);
      read.style.hasColor = color.has_value();
      read.style.color = color.value_or(0);
    } else if (ref != nullptr && std::strcmp(name, "ref") == 0) {
      *ref = value;
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

void TextStyles::startElement(const xmlChar* name, bool hasNamespace, int count,
                              const xmlChar** attributes) {
  ++depth_;
  if (hasNamespace) return;
  if (named(name, "text-style-def")) {
    OpenDef def;
    def.depth = depth_;
    forEachAttribute(count, attributes, [&](const char* key, std::string_view value) {
      if (std::strcmp(key, "id") == 0) def.id.emplace(value);
    });
    defs_.push_back(std::move(def));
  } else if (!defs_.empty() && defs_.back().depth + 1 == depth_ && !defs_.back().sawStyle &&
             named(name, "text-style")) {
    defs_.back().sawStyle = true;
    defs_.back().attributes = readStyleAttributes(count, attributes);
  }
}

void TextStyles::endElement() {
  if (!defs_.empty() && defs_.back().depth == depth_) {
    OpenDef& def = defs_.back();
    if (def.id) ended_.try_emplace(std::move(*def.id), def.attributes);
    defs_.pop_back();
  }
  --depth_;
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
      const auto def = ended_.find(run.ref);
      if (def != ended_.end()) style = layered(run.own, def->second);
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
