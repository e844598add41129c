#pragma once

#include <compare>
#include <cstdint>
#include <string_view>

#include "convert/cues/int128.h"

namespace caplift {

// Thrown when an exact result does not fit 128 bits: the caller refuses the document rather than
// place a title anywhere but exactly.
struct RationalOverflow {};

// An exact number of seconds: a fraction kept reduced, with a positive denominator.
class Rational {
 public:
  constexpr Rational() = default;
  constexpr Rational(std::int64_t whole) : num_(whole) {}  // NOLINT: a whole number is exact
  // `den` must not be 0. Throws RationalOverflow only for a numerator of -2^127.
  static Rational fraction(Int128 num, Int128 den);

  Int128 num() const { return num_; }
  Int128 den() const { return den_; }
  bool isZero() const { return num_ == 0; }

  friend Rational operator+(const Rational& a, const Rational& b);
  friend Rational operator-(const Rational& a, const Rational& b);
  friend Rational operator*(const Rational& a, const Rational& b);
  // `b` must not be 0.
  friend Rational operator/(const Rational& a, const Rational& b);
  friend bool operator==(const Rational&, const Rational&) = default;
  // Exact, whatever the size of the terms.
  friend std::strong_ordering operator<=>(const Rational& a, const Rational& b);

  // The nearest whole number of milliseconds, halves upwards.
  Int128 roundedMilliseconds() const;

 private:
  Int128 num_ = 0;
  Int128 den_ = 1;
};

// Reads an FCPXML time value exactly. The text is handled as getTime handles it: every "s"
// removed, then split at "/" with empty pieces and pieces that are no numeral dropped; exactly two
// numbers give their quotient, a text without "/" is one numeral. A numeral here is only a plain
// decimal, [+-]digits[.digits] with at least one and at most 18 digits. Anything else, and a zero
// denominator, gives 0.
Rational readExactTime(std::string_view text);

}  // namespace caplift
