#include "convert/document_input.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace caplift {

void DocumentInput::fail(ConversionFailure::Kind kind, std::string description) {
  ended_ = true;
  if (failure_) return;
  failure_ = ConversionFailure{kind, 0, 0, std::move(description)};
}

bool DocumentInput::accept(const char* bytes, long count) {
  if (count < 0) {
    fail(ConversionFailure::Kind::kRead, source_.failureDescription());
    return false;
  }
  if (count == 0) {
    ended_ = true;
    if (!validator_.finish()) {
      fail(ConversionFailure::Kind::kNotUtf8,
           "not valid UTF-8: the text ends inside a character that starts at byte offset " +
               std::to_string(validator_.errorOffset()));
    }
    return false;
  }
  if (!validator_.feed({bytes, static_cast<std::size_t>(count)})) {
    fail(ConversionFailure::Kind::kNotUtf8,
         "not valid UTF-8: invalid byte sequence at byte offset " +
             std::to_string(validator_.errorOffset()));
    return false;
  }
  if (!sawNul_) sawNul_ = std::memchr(bytes, '\0', static_cast<std::size_t>(count)) != nullptr;
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

void DocumentInput::drain() {
  if (ended_) return;
  std::vector<char> buffer(1 << 16);
  while (read(buffer.data(), static_cast<int>(buffer.size())) > 0) {
  }
}

}  // namespace caplift
