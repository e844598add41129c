#include "convert/titles/time_value.h"

#include <locale.h>
#include <stdlib.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "convert/cues/timestamp.h"

namespace caplift {

namespace {

// Made once: numerals are read with "." as the decimal point whatever the process locale says.
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

bool isLeadingSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads [begin, end) as one strtod numeral that must fill the whole text. `*end` must be '\0'.
bool readNumeral(const char* begin, const char* end, double& value) {
  if (begin == end || isLeadingSpace(*begin)) return false;
  char* stop = nullptr;
  value = strtod_l(begin, &stop, cLocale());
  return stop == end;
}

// `text` has no "s" left and is NUL-terminated at text[size]; pieces are cut in place.
Seconds readTimeText(char* text, std::size_t size) {
  char* const end = text + size;
  char* slash = static_cast<char*>(std::memchr(text, '/', size));
  if (slash == nullptr) {
    double value = 0;
    return readNumeral(text, end, value) ? value : 0;
  }
  double numbers[2] = {0, 0};
  int count = 0;
  char* piece = text;
  while (piece <= end) {
    char* pieceEnd =
        static_cast<char*>(std::memchr(piece, '/', static_cast<std::size_t>(end - piece)));
    if (pieceEnd == nullptr) pieceEnd = end;
    *pieceEnd = '\0';
    double value = 0;
    if (pieceEnd != piece && readNumeral(piece, pieceEnd, value)) {
      if (count == 2) return 0;  // a third number: no fraction
      numbers[count++] = value;
    }
    piece = pieceEnd + 1;
  }
  return count == 2 ? numbers[0] / numbers[1] : 0;
}

// Reads a run of 1 to 15 decimal digits at `text[at]` into `value`; below 10^15 the integer is
// exactly representable, so it is the double that strtod would give.
bool readDigits(std::string_view text, std::size_t& at, double& value) {
  constexpr std::size_t kMaxDigits = 15;
  std::uint64_t number = 0;
  const std::size_t begin = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    if (at - begin == kMaxDigits) return false;
    number = number * 10 + static_cast<std::uint64_t>(text[at] - '0');
    ++at;
  }
  value = static_cast<double>(number);
  return at != begin;
}

// The forms that exports write, "<digits>s" and "<digits>/<digits>s", without strtod (which
// costs more than the rest of a title together). Anything else is left to the full rules.
bool readCommonForm(std::string_view text, Seconds& seconds) {
  std::size_t at = 0;
  double numerator = 0;
  double denominator = 1;
  if (!readDigits(text, at, numerator)) return false;
  const bool fraction = at < text.size() && text[at] == '/';
  if (fraction && !readDigits(text, ++at, denominator)) return false;
  if (at < text.size() && text[at] == 's') ++at;
  if (at != text.size()) return false;
  seconds = fraction ? numerator / denominator : numerator;
  return true;
}

}  // namespace

Seconds getTime(std::optional<std::string_view> value) {
  if (!value) return 0;
  if (Seconds seconds = 0; readCommonForm(*value, seconds)) return seconds;
  // Called for every title: short values are copied to the stack, without the letter "s".
  char small[128];
  std::string large;
  char* text = small;
  if (value->size() >= sizeof small) {
    large.resize(value->size());
    text = large.data();
  }
  std::size_t size = 0;
  for (char c : *value) {
    if (c != 's') text[size++] = c;
  }
  text[size] = '\0';
  return readTimeText(text, size);
}

Milliseconds millisecondsOf(Seconds seconds) {
  // 2^63: the first whole-second count that no longer fits a signed 64-bit integer.
  constexpr double kWholeSecondsLimit = 9223372036854775808.0;
  if (!std::isfinite(seconds) || seconds < 0 || std::floor(seconds) >= kWholeSecondsLimit) {
    return 0;
  }
  const double floored = std::floor(seconds);
  // The difference comes first, then the scaling: 12.0125 gives 12 ms, 2.675 gives 675 ms. From a
  // fraction of about 0.9995 upwards it rounds to 1000, which carries into the seconds.
  const auto millis = static_cast<std::uint64_t>(std::round((seconds - floored) * 1000.0));
  return Milliseconds(static_cast<std::uint64_t>(floored)) * 1000 + millis;
}

std::string toHMS(Seconds seconds) {
  std::string text;
  appendTimestamp(text, millisecondsOf(seconds), ',');
  return text;
}

}  // namespace caplift
