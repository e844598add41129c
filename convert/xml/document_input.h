#pragma once

#include <cstdint>
#include <optional>

#include "convert/conversion_failure.h"
#include "convert/io/byte_source.h"
#include "convert/xml/utf8_validator.h"

namespace caplift {

// Hands the bytes of a ByteSource to the XML parser: drops a leading UTF-8 byte-order mark and
// checks on the way that the text is UTF-8 without NUL bytes. A read failure, an invalid byte or
// a NUL ends the input there and is kept as the conversion's failure, which outranks whatever the
// parser makes of the cut text.
class DocumentInput {
 public:
  explicit DocumentInput(ByteSource& source) : source_(source) {}

  // Fills up to `capacity` bytes; 0 at the end of the input, after a failure or after end().
  int read(char* buffer, int capacity);
  // Reads nothing more: the parse has failed, and an endless input must not keep it going.
  void end() { ended_ = true; }
  const std::optional<ConversionFailure>& failure() const { return failure_; }

 private:
  bool accept(const char* bytes, long count);
  void fail(ConversionFailure failure);

  ByteSource& source_;
  Utf8Validator validator_;
  std::uint64_t offset_ = 0;  // bytes accepted so far
  std::optional<ConversionFailure> failure_;
  bool started_ = false;
  bool ended_ = false;
  // The first bytes, read ahead to look for a byte-order mark.
  char head_[3] = {};
  int headSize_ = 0;
  int headPos_ = 0;
  bool headEnded_ = false;  // the source ended within the first bytes
};

}  // namespace caplift
