#include <locale.h>
#include <stdlib.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tests/reference/reference_extract.h"

namespace caplift::reference {

namespace {

std::optional<double> numeral(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const char first = text.front();
  if (first == ' ' || first == '\t' || first == '\n' || first == '\v' || first == '\f' ||
      first == '\r') {
    return std::nullopt;
  }
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  char* end = nullptr;
  const double value = strtod_l(text.c_str(), &end, c);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

double getTime(std::optional<std::string_view> value) {
  if (!value) return 0;
  std::string text;
  for (char c : *value) {
    if (c != 's') text += c;
  }
  if (text.find('/') == std::string::npos) return numeral(text).value_or(0);
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : text + "/") {
    if (c != '/') {
      piece += c;
    } else if (!piece.empty()) {
      pieces.push_back(piece);
      piece.clear();
    }
  }
  std::vector<double> numbers;
  for (const std::string& p : pieces) {
    if (auto number = numeral(p)) numbers.push_back(*number);
  }
  return numbers.size() == 2 ? numbers[0] / numbers[1] : 0;
}

std::string toHMS(double seconds) {
  // Anything without a valid timestamp is written as zero.
  if (!std::isfinite(seconds) || seconds < 0 || std::floor(seconds) >= 9223372036854775808.0) {
    return "00:00:00,000";
  }
  std::int64_t whole = static_cast<std::int64_t>(std::floor(seconds));
  std::int64_t millis =
      static_cast<std::int64_t>(std::round((seconds - static_cast<double>(whole)) * 1000.0));
  if (millis == 1000) {
    whole += 1;
    millis = 0;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%02" PRId64 ":%02" PRId64 ":%02" PRId64 ",%03" PRId64,
                whole / 3600, whole % 3600 / 60, whole % 60, millis);
  return text;
}

}  // namespace caplift::reference
