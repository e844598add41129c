#include "fuzz/checks/checks.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "convert/time_value.h"
#include "convert/timestamp.h"
#include "fuzz/checks/srt_shape.h"

namespace caplift::fuzz {

namespace {

std::string show(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

std::string checkTimestamp(double seconds) {
  const std::string text = toHMS(seconds);
  const std::string where = "toHMS(" + show(seconds) + ") = \"" + text + "\": ";
  if (!isTimestamp(text)) return where + "not a timestamp";
  if (!std::isfinite(seconds) || seconds < 0 || std::floor(seconds) >= 0x1p63) {
    return text == "00:00:00,000" ? "" : where + "a value without a timestamp must give zero";
  }
  // Within half a millisecond of the fraction scaled in double arithmetic: 0.4955 is 0.49549999...
  // as a double, but its product with 1000 rounds to 495.5 and so to 496 ms.
  unsigned long long hours = 0, minutes = 0, secs = 0, millis = 0;
  std::sscanf(text.c_str(), "%llu:%llu:%llu,%llu", &hours, &minutes, &secs, &millis);
  const double floored = std::floor(seconds);
  const long double shown = static_cast<long double>((hours * 60 + minutes) * 60 + secs -
                                                     static_cast<unsigned long long>(floored)) *
                                1000 +
                            millis;
  if (std::fabs(shown - (seconds - floored) * 1000.0) > 0.5L)
    return where + "more than half a millisecond off";
  return {};
}

}  // namespace

std::string checkTime(std::string_view bytes) {
  const double value = getTime(bytes);
  // The forms that exports write are read without strtod; a leading "+" changes no value but
  // sends them the strtod road.
  if (!bytes.empty() && bytes[0] >= '0' && bytes[0] <= '9') {
    const double signed_ = getTime("+" + std::string(bytes));
    if (std::memcmp(&value, &signed_, sizeof value) != 0 &&
        !(std::isnan(value) && std::isnan(signed_))) {
      return "getTime(\"" + std::string(bytes) + "\") = " + show(value) + ", with a \"+\" " +
             show(signed_);
    }
  }
  if (std::string problem = checkTimestamp(value); !problem.empty()) return problem;
  // The first 24 bytes as three doubles: title offset, parent offset and start, as a cue adds them.
  if (bytes.size() >= 3 * sizeof(double)) {
    double parts[3];
    std::memcpy(parts, bytes.data(), sizeof parts);
    const double start = (parts[0] + parts[1]) - parts[2];
    for (double seconds : {parts[0], parts[1], parts[2], start, parts[0] + start}) {
      if (std::string problem = checkTimestamp(seconds); !problem.empty()) return problem;
    }
  }
  return {};
}

}  // namespace caplift::fuzz
