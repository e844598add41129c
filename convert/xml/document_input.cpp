#include "convert/xml/document_input.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace caplift {

void DocumentInput::fail(ConversionFailure failure) {
  ended_ = true;
  if (!failure_) failure_ = std::move(failure);
}

bool DocumentInput::accept(const char* bytes, long count) {
  using Kind = ConversionFailure::Kind;
  if (count < 0) {
    fail({Kind::kRead, {}, reason::kSystem, {source_.failureDescription()}});
    return false;
  }
  if (count == 0) {
    ended_ = true;
    if (!validator_.finish()) {
      fail({Kind::kNotUtf8, {}, reason::kCutUtf8, {std::to_string(validator_.errorOffset())}});
    }
    return false;
  }
  const auto size = static_cast<std::size_t>(count);
  // Only the text before a NUL is checked, so that the first fault in the bytes is the one told.
  const void* nul = std::memchr(bytes, '\0', size);
  const std::size_t text =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
  if (!validator_.feed({bytes, text})) {
    fail({Kind::kNotUtf8, {}, reason::kInvalidUtf8, {std::to_string(validator_.errorOffset())}});
    return false;
  }
  if (nul != nullptr) {
    fail({Kind::kParse, {}, reason::kNul, {std::to_string(offset_ + text)}});
    return false;
  }
  offset_ += size;
  return true;
}

int DocumentInput::read(char* buffer, int capacity) {
  if (ended_ || capacity <= 0) return 0;
  if (!started_) {
    started_ = true;
    while (headSize_ < 3) {
      const long count = source_.read(head_ + headSize_, static_cast<std::size_t>(3 - headSize_));
      if (count == 0) {
        headEnded_ = true;
        break;
      }
      if (!accept(head_ + headSize_, count)) return 0;
      headSize_ += static_cast<int>(count);
    }
    if (headSize_ == 3 && std::memcmp(head_, "\xEF\xBB\xBF", 3) == 0) headPos_ = 3;
  }
  int filled = 0;
  if (headPos_ < headSize_) {
    filled = std::min(capacity, headSize_ - headPos_);
    std::memcpy(buffer, head_ + headPos_, static_cast<std::size_t>(filled));
    headPos_ += filled;
  }
  if (headEnded_) {
    if (headPos_ == headSize_) accept(buffer, 0);
    return failure_ ? 0 : filled;
  }
  // libxml2 expects a read to fill what it asks for: its look at the XML declaration, for one,
  // sees only what the first read gave. Short reads of the source are gathered here.
  while (filled < capacity) {
    const long count = source_.read(buffer + filled, static_cast<std::size_t>(capacity - filled));
    if (!accept(buffer + filled, count)) break;
    filled += static_cast<int>(count);
  }
  return failure_ ? 0 : filled;
}

}  // namespace caplift
