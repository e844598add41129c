#include "convert/cues/timestamp.h"

#include <array>
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

void appendFields(std::string& out, UInt128 whole, std::uint32_t millis, char separator) {
  if (whole < 100 * 3600) {
    // Below 100 hours, the usual case: a fixed layout, "HH:MM:SS,mmm".
    const auto total = static_cast<std::uint32_t>(whole);
    char text[12];
    putTwoDigits(text, total / 3600);
    text[2] = ':';
    putTwoDigits(text + 3, total / 60 % 60);
    text[5] = ':';
    putTwoDigits(text + 6, total % 60);
    text[8] = separator;
    text[9] = static_cast<char>('0' + millis / 100);
    putTwoDigits(text + 10, millis % 100);
    out.append(text, sizeof text);
    return;
  }
  // Longest text: 2^128 / 3600000 has 32 digits of hours, then ":MM:SS,mmm".
  char buffer[48];
  char* const end = buffer + sizeof buffer;
  char* p = writeDigits(end, millis, 3);
  *--p = separator;
  p = writeDigits(p, whole % 60, 2);
  *--p = ':';
  p = writeDigits(p, whole / 60 % 60, 2);
  *--p = ':';
  p = writeDigits(p, whole / 3600, 2);
  out.append(p, static_cast<std::size_t>(end - p));
}

}  // namespace

void appendTimestamp(std::string& out, Milliseconds milliseconds, char separator) {
  // 128-bit division is a library call; nearly every time fits 64 bits.
  if (milliseconds <= UINT64_MAX) {
    const auto small = static_cast<std::uint64_t>(milliseconds);
    appendFields(out, small / 1000, static_cast<std::uint32_t>(small % 1000), separator);
    return;
  }
  appendFields(out, milliseconds / 1000, static_cast<std::uint32_t>(milliseconds % 1000),
               separator);
}

}  // namespace caplift
