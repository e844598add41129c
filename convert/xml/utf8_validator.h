#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace caplift {

// Checks UTF-8 text fed in pieces of any size: a character may be split between two pieces.
// Overlong forms, surrogates (U+D800-U+DFFF) and values above U+10FFFF are invalid.
class Utf8Validator {
 public:
  // Returns false at the first invalid byte; later calls keep returning false.
  bool feed(std::string_view bytes);
  // Returns false when the text ended inside a character.
  bool finish();
  bool valid() const { return !failed_; }
  // Offset from the start of the text of the first byte of the character found invalid.
  std::uint64_t errorOffset() const { return errorOffset_; }

 private:
  bool fail(std::uint64_t offset);

  std::uint64_t offset_ = 0;          // bytes fed so far
  std::uint64_t characterStart_ = 0;  // offset of the lead byte of the open character
  int pending_ = 0;                   // continuation bytes still expected
  unsigned char low_ = 0x80;          // allowed range of the next continuation byte
  unsigned char high_ = 0xBF;
  bool failed_ = false;
  std::uint64_t errorOffset_ = 0;
};

}  // namespace caplift
