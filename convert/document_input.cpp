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
  if (headPos_ < headSize_) {
    const int count = std::min(capacity, headSize_ - headPos_);
    std::memcpy(buffer, head_ + headPos_, static_cast<std::size_t>(count));
    headPos_ += count;
    return count;
  }
  if (headEnded_) {
    accept(buffer, 0);
    return 0;
  }
  const long count = source_.read(buffer, static_cast<std::size_t>(capacity));
  if (!accept(buffer, count)) return 0;
  return static_cast<int>(count);
}

void DocumentInput::drain() {
  if (ended_) return;
  std::vector<char> buffer(1 << 16);
  while (read(buffer.data(), static_cast<int>(buffer.size())) > 0) {
  }
}

}  // namespace caplift
