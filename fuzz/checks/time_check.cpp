#include "fuzz/checks/time_check.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "convert/time_value.h"
#include "convert/timestamp.h"
#include "fuzz/checks/srt_shape.h"
#include "tests/reference/reference_extract.h"

namespace caplift::fuzz {

namespace {

bool sameValue(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

std::string show(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

bool hasTimestamp(double seconds) {
  return std::isfinite(seconds) && seconds >= 0 && std::floor(seconds) < 9223372036854775808.0;
}

// The whole seconds and milliseconds of `text`, a checked timestamp.
void partsOf(const std::string& text, std::uint64_t& whole, std::uint64_t& millis) {
  const std::size_t comma = text.size() - 4;
  const auto number = [&](std::size_t from, std::size_t count) {
    return std::strtoull(text.substr(from, count).c_str(), nullptr, 10);
  };
  whole = number(0, comma - 6) * 3600 + number(comma - 5, 2) * 60 + number(comma - 2, 2);
  millis = number(comma + 1, 3);
}

std::string checkTimestamp(double seconds) {
  const std::string text = toHMS(seconds);
  const std::string where = "toHMS(" + show(seconds) + ") = \"" + text + "\": ";
  if (!isTimestamp(text)) return where + "not a timestamp";
  if (text != reference::toHMS(seconds))
    return where + "reference gives " + reference::toHMS(seconds);
  std::string appended = "x";
  appendHMS(appended, seconds);
  if (appended != "x" + text) return where + "appendHMS gives " + appended;
  if (!hasTimestamp(seconds)) {
    return text == "00:00:00,000" ? "" : where + "a value without a timestamp must give zero";
  }
  // Rounded to the nearest millisecond, from the fraction scaled in double arithmetic: 0.4955 is
  // 0.49549999... as a double, but its product with 1000 rounds to 495.5 and so to 496 ms.
  std::uint64_t whole = 0;
  std::uint64_t millis = 0;
  partsOf(text, whole, millis);
  const double floored = std::floor(seconds);
  const auto wholeSeconds = static_cast<std::uint64_t>(floored);
  if (whole != wholeSeconds && !(whole == wholeSeconds + 1 && millis == 0)) {
    return where + "whole seconds should be " + std::to_string(wholeSeconds);
  }
  const long double shown = static_cast<long double>(whole - wholeSeconds) * 1000 + millis;
  const long double exact = (seconds - floored) * 1000.0;
  if (std::fabs(shown - exact) > 0.5L) return where + "more than half a millisecond off";
  return {};
}

}  // namespace

std::string checkTime(std::string_view bytes) {
  const double value = getTime(bytes);
  const double expected = reference::getTime(bytes);
  if (!sameValue(value, expected)) {
    return "getTime(\"" + std::string(bytes) + "\") = " + show(value) + ", reference " +
           show(expected);
  }
  if (std::string problem = checkTimestamp(value); !problem.empty()) return problem;
  if (bytes.size() >= 3 * sizeof(double)) {
    double parts[3];
    std::memcpy(parts, bytes.data(), sizeof parts);
    for (double part : parts) {
      if (std::string problem = checkTimestamp(part); !problem.empty()) return problem;
    }
    const double start = (parts[0] + parts[1]) - parts[2];
    if (std::string problem = checkTimestamp(start); !problem.empty()) return problem;
    if (std::string problem = checkTimestamp(parts[0] + start); !problem.empty()) return problem;
  }
  return {};
}

}  // namespace caplift::fuzz
