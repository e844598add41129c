#include "convert/timeline/rational.h"

#include <bit>
#include <cstdint>
#include <numeric>
#include <utility>

namespace caplift {

namespace {

Int128 checkedAdd(Int128 a, Int128 b) {
  Int128 sum;
  if (__builtin_add_overflow(a, b, &sum)) throw RationalOverflow{};
  return sum;
}

Int128 checkedMul(Int128 a, Int128 b) {
  Int128 product;
  if (__builtin_mul_overflow(a, b, &product)) throw RationalOverflow{};
  return product;
}

Int128 checkedNeg(Int128 a) {
  return checkedMul(a, -1);
}

UInt128 magnitude(Int128 v) {
  return v < 0 ? UInt128(0) - static_cast<UInt128>(v) : static_cast<UInt128>(v);
}

int trailingZeros(UInt128 v) {
  const auto low = static_cast<std::uint64_t>(v);
  return low != 0 ? std::countr_zero(low)
                  : 64 + std::countr_zero(static_cast<std::uint64_t>(v >> 64));
}

// Binary GCD, for terms beyond 64 bits.
UInt128 binaryGcd(UInt128 a, UInt128 b) {
  if (a == 0) return b;
  if (b == 0) return a;
  const int shift = trailingZeros(a | b);
  a >>= trailingZeros(a);
  do {
    b >>= trailingZeros(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return a << shift;
}

Int128 gcd(Int128 a, Int128 b) {
  const UInt128 x = magnitude(a);
  const UInt128 y = magnitude(b);
  if ((x | y) <= UINT64_MAX) {
    return static_cast<Int128>(
        std::gcd(static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(y)));
  }
  // Denominators are below 2^127, so the GCD of a numerator and a denominator fits.
  return static_cast<Int128>(binaryGcd(x, y));
}

// Floor of num / den for den > 0, with the remainder in [0, den).
std::pair<Int128, Int128> floorDivide(Int128 num, Int128 den) {
  Int128 quotient = num / den;
  Int128 remainder = num % den;
  if (remainder < 0) {
    remainder += den;
    quotient -= 1;
  }
  return {quotient, remainder};
}

// Compares n1/d1 with n2/d2 (positive denominators) through their continued fractions: no term
// ever grows.
std::strong_ordering compareFractions(Int128 n1, Int128 d1, Int128 n2, Int128 d2) {
  while (true) {
    const auto [q1, r1] = floorDivide(n1, d1);
    const auto [q2, r2] = floorDivide(n2, d2);
    if (q1 != q2) return q1 <=> q2;
    if (r1 == 0 || r2 == 0) return (r1 != 0) <=> (r2 != 0);
    // r1/d1 < r2/d2 exactly when d2/r2 < d1/r1.
    const Int128 nextN1 = d2;
    const Int128 nextN2 = d1;
    n1 = nextN1;
    d1 = r2;
    n2 = nextN2;
    d2 = r1;
  }
}

// Reads [+-]digits[.digits] with at most 18 digits, skipping every "s", as digits / 10^scale.
bool readDecimal(std::string_view text, Int128& num, Int128& den) {
  constexpr int kMaxDigits = 18;
  std::int64_t digits = 0;
  std::int64_t scale = 1;
  int count = 0;
  bool negative = false;
  bool signAllowed = true;
  bool point = false;
  for (char c : text) {
    if (c == 's') continue;
    if (signAllowed && (c == '+' || c == '-')) {
      negative = c == '-';
    } else if (c >= '0' && c <= '9') {
      if (++count > kMaxDigits) return false;
      digits = digits * 10 + (c - '0');
      if (point) scale *= 10;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
    signAllowed = false;
  }
  if (count == 0) return false;
  num = negative ? -digits : digits;
  den = scale;
  return true;
}

}  // namespace

Rational Rational::fraction(Int128 num, Int128 den) {
  if (den < 0) {
    num = checkedNeg(num);
    den = checkedNeg(den);
  }
  Rational r;
  if (num == 0) return r;
  if (num >= INT64_MIN && num <= INT64_MAX && den <= INT64_MAX) {
    // The usual case, in machine words: 128-bit division is a library call.
    const auto n = static_cast<std::int64_t>(num);
    const auto d = static_cast<std::int64_t>(den);
    const auto g = static_cast<std::int64_t>(gcd(n, d));
    r.num_ = n / g;
    r.den_ = d / g;
    return r;
  }
  const Int128 g = gcd(num, den);
  r.num_ = num / g;
  r.den_ = den / g;
  return r;
}

Rational operator+(const Rational& a, const Rational& b) {
  if (a.den_ == b.den_) return Rational::fraction(checkedAdd(a.num_, b.num_), a.den_);
  const Int128 g = gcd(a.den_, b.den_);
  Rational r;
  if (g == 1) {
    // Both reduced and the denominators coprime: so is the sum.
    r.num_ = checkedAdd(checkedMul(a.num_, b.den_), checkedMul(b.num_, a.den_));
    r.den_ = checkedMul(a.den_, b.den_);
    if (r.num_ == 0) r.den_ = 1;
    return r;
  }
  const Int128 t = checkedAdd(checkedMul(a.num_, b.den_ / g), checkedMul(b.num_, a.den_ / g));
  if (t == 0) return r;
  const Int128 g2 = gcd(t, g);
  r.num_ = t / g2;
  r.den_ = checkedMul(a.den_ / g, b.den_ / g2);
  return r;
}

Rational operator-(const Rational& a, const Rational& b) {
  Rational negated;
  negated.num_ = checkedNeg(b.num_);
  negated.den_ = b.den_;
  return a + negated;
}

Rational operator*(const Rational& a, const Rational& b) {
  Rational r;
  if (a.num_ == 0 || b.num_ == 0) return r;
  const Int128 g1 = gcd(a.num_, b.den_);
  const Int128 g2 = gcd(b.num_, a.den_);
  r.num_ = checkedMul(a.num_ / g1, b.num_ / g2);
  r.den_ = checkedMul(a.den_ / g2, b.den_ / g1);
  return r;
}

Rational operator/(const Rational& a, const Rational& b) {
  Rational inverse;
  inverse.num_ = b.den_;
  inverse.den_ = b.num_;
  if (inverse.den_ < 0) {
    inverse.num_ = -inverse.num_;  // a denominator is positive: no overflow
    inverse.den_ = checkedNeg(inverse.den_);
  }
  return a * inverse;
}

std::strong_ordering operator<=>(const Rational& a, const Rational& b) {
  if (a.den_ == b.den_) return a.num_ <=> b.num_;
  Int128 left;
  Int128 right;
  if (!__builtin_mul_overflow(a.num_, b.den_, &left) &&
      !__builtin_mul_overflow(b.num_, a.den_, &right)) {
    return left <=> right;
  }
  return compareFractions(a.num_, a.den_, b.num_, b.den_);
}

Int128 Rational::roundedMilliseconds() const {
  const auto [whole, remainder] = floorDivide(num_, den_);
  const Int128 millis = checkedMul(whole, 1000);
  // floor(remainder / den * 1000 + 1/2), in integers while they fit well.
  constexpr Int128 kSmall = Int128(1) << 100;
  if (den_ < kSmall) return checkedAdd(millis, (remainder * 2000 + den_) / (2 * den_));
  const Rational part = fraction(remainder, den_) * 1000 + fraction(1, 2);
  return checkedAdd(millis, floorDivide(part.num_, part.den_).first);
}

Rational readExactTime(std::string_view text) {
  std::size_t slash = text.find('/');
  Int128 num = 0;
  Int128 den = 1;
  if (slash == std::string_view::npos) {
    return readDecimal(text, num, den) ? Rational::fraction(num, den) : Rational();
  }
  Int128 nums[2];
  Int128 dens[2];
  int count = 0;
  while (true) {
    const std::string_view piece = text.substr(0, slash);
    if (readDecimal(piece, num, den)) {
      if (count == 2) return {};  // a third number: no fraction
      nums[count] = num;
      dens[count] = den;
      ++count;
    }
    if (slash == std::string_view::npos) break;
    text.remove_prefix(slash + 1);
    slash = text.find('/');
  }
  if (count != 2 || nums[1] == 0) return {};
  // At most 10^18 each: the products fit.
  return Rational::fraction(nums[0] * dens[1], dens[0] * nums[1]);
}

}  // namespace caplift
