#pragma once

#include <cstdint>
#include <optional>

#include "convert/extract_srt.h"
#include "convert/utf8_validator.h"

namespace caplift {

// Hands the bytes of a ByteSource to the XML parser: drops a leading UTF-8 byte-order mark and
// checks UTF-8 on the way. A read failure or an invalid byte ends the input early and is kept as
// the conversion's failure, which outranks whatever the parser makes of the cut text.
class DocumentInput {
 public:
  explicit DocumentInput(ByteSource& source) : source_(source) {}

  // Fills up to `capacity` bytes; 0 at the end of the input or after a failure.
  int read(char* buffer, int capacity);
  // Reads and checks what the parser left unread, so that invalid UTF-8 anywhere in the input is
  // reported the same way wherever the parser stopped.
  void drain();
  const std::optional<ConversionFailure>& failure() const { return failure_; }
  // Whether a NUL byte came through. libxml2 takes one after the root element for the end of the
  // text and would accept the document without whatever follows it.
  bool sawNul() const { return sawNul_; }

 private:
  bool accept(const char* bytes, long count);
  void fail(ConversionFailure::Kind kind, std::string description);

  ByteSource& source_;
  Utf8Validator validator_;
  std::optional<ConversionFailure> failure_;
  bool started_ = false;
  bool ended_ = false;
  bool sawNul_ = false;
  // The first bytes, read ahead to look for a byte-order mark.
  char head_[3] = {};
  int headSize_ = 0;
  int headPos_ = 0;
  bool headEnded_ = false;  // the source ended within the first bytes
};

}  // namespace caplift
