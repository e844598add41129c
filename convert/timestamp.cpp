#include "convert/timestamp.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace caplift {

namespace {

// Writes `value` with at least `width` digits, right to left, ending at `end`; returns the start.
char* writeDigits(char* end, UInt128 value, int width) {
  char* p = end;
  do {
    *--p = static_cast<char>('0' + value % 10);
    value /= 10;
    --width;
  } while (value != 0 || width > 0);
  return p;
}

// "00" to "99", two characters each: the fields of a timestamp are written two digits at a time.
constexpr auto kTwoDigits = [] {
  std::array<char, 200> digits{};
  for (int i = 0; i < 100; ++i) {
    digits[2 * i] = static_cast<char>('0' + i / 10);
    digits[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return digits;
}();

void putTwoDigits(char* at, std::uint32_t value) {
  std::memcpy(at, kTwoDigits.data() + 2 * value, 2);
}

void appendFields(std::string& out, UInt128 whole, std::uint32_t millis) {
  if (whole < 100 * 3600) {
    // Below 100 hours, the usual case: a fixed layout, "HH:MM:SS,mmm".
    const auto total = static_cast<std::uint32_t>(whole);
    char text[12];
    putTwoDigits(text, total / 3600);
    text[2] = ':';
    putTwoDigits(text + 3, total / 60 % 60);
    text[5] = ':';
    putTwoDigits(text + 6, total % 60);
    text[8] = ',';
    text[9] = static_cast<char>('0' + millis / 100);
    putTwoDigits(text + 10, millis % 100);
    out.append(text, sizeof text);
    return;
  }
  // Longest text: 2^128 / 3600000 has 32 digits of hours, then ":MM:SS,mmm".
  char buffer[48];
  char* const end = buffer + sizeof buffer;
  char* p = writeDigits(end, millis, 3);
  *--p = ',';
  p = writeDigits(p, whole % 60, 2);
  *--p = ':';
  p = writeDigits(p, whole / 60 % 60, 2);
  *--p = ':';
  p = writeDigits(p, whole / 3600, 2);
  out.append(p, static_cast<std::size_t>(end - p));
}

}  // namespace

void appendHMS(std::string& out, Seconds seconds) {
  // 2^63: the first whole-second count that no longer fits a signed 64-bit integer.
  constexpr double kWholeSecondsLimit = 9223372036854775808.0;
  std::uint64_t whole = 0;
  std::uint64_t millis = 0;
  if (std::isfinite(seconds) && seconds >= 0 && std::floor(seconds) < kWholeSecondsLimit) {
    const double floored = std::floor(seconds);
    whole = static_cast<std::uint64_t>(floored);
    // The difference comes first, then the scaling: 12.0125 gives 12 ms, 2.675 gives 675 ms.
    millis = static_cast<std::uint64_t>(std::round((seconds - floored) * 1000.0));
    if (millis >= 1000) {  // from a fraction of about 0.9995 upwards
      whole += 1;
      millis -= 1000;
    }
  }
  appendFields(out, whole, static_cast<std::uint32_t>(millis));
}

void appendMillisecondsHMS(std::string& out, UInt128 milliseconds) {
  appendFields(out, milliseconds / 1000, static_cast<std::uint32_t>(milliseconds % 1000));
}

std::string toHMS(Seconds seconds) {
  std::string text;
  appendHMS(text, seconds);
  return text;
}

}  // namespace caplift
