#include "convert/xml/utf8_validator.h"

#include <bit>
#include <cstring>

namespace caplift {

bool Utf8Validator::fail(std::uint64_t offset) {
  failed_ = true;
  errorOffset_ = offset;
  return false;
}

bool Utf8Validator::feed(std::string_view bytes) {
  if (failed_) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  const std::uint64_t base = offset_;
  offset_ += bytes.size();
  auto offsetOf = [&](const unsigned char* at) {
    return base +
           static_cast<std::uint64_t>(at - reinterpret_cast<const unsigned char*>(bytes.data()));
  };

  while (p != end) {
    if (pending_ == 0) {
      // Most of a document is ASCII: skip it 32 bytes at a time, then eight.
      constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
      while (end - p >= 32) {
        std::uint64_t a, b, c, d;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + 8, 8);
        std::memcpy(&c, p + 16, 8);
        std::memcpy(&d, p + 24, 8);
        if ((a | b | c | d) & kHighBits) break;
        p += 32;
      }
      while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (const std::uint64_t high = word & kHighBits; high != 0) {
          // Straight to the first byte that is not ASCII.
          if constexpr (std::endian::native == std::endian::little) p += std::countr_zero(high) / 8;
          break;
        }
        p += 8;
      }
      if (p == end) break;
      const unsigned char lead = *p;
      if (lead < 0x80) {
        ++p;
        continue;
      }
      characterStart_ = offsetOf(p);
      low_ = 0x80;
      high_ = 0xBF;
      if (lead >= 0xC2 && lead <= 0xDF) {
        pending_ = 1;
      } else if (lead >= 0xE0 && lead <= 0xEF) {
        pending_ = 2;
        if (lead == 0xE0) low_ = 0xA0;   // overlong below U+0800
        if (lead == 0xED) high_ = 0x9F;  // surrogates
      } else if (lead >= 0xF0 && lead <= 0xF4) {
        pending_ = 3;
        if (lead == 0xF0) low_ = 0x90;   // overlong below U+10000
        if (lead == 0xF4) high_ = 0x8F;  // above U+10FFFF
      } else {
        return fail(characterStart_);  // continuation byte, C0, C1 or F5-FF as a lead
      }
      ++p;
      continue;
    }
    const unsigned char next = *p;
    if (next < low_ || next > high_) return fail(characterStart_);
    low_ = 0x80;
    high_ = 0xBF;
    --pending_;
    ++p;
  }
  return true;
}

bool Utf8Validator::finish() {
  if (failed_) return false;
  if (pending_ != 0) return fail(characterStart_);
  return true;
}

}  // namespace caplift
