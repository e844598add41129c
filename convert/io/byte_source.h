#pragma once

#include <cstddef>
#include <string>

namespace caplift {

// Where the document bytes come from, read once from start to end.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to `capacity` bytes; returns the count, 0 at the end, or -1 on failure.
  virtual long read(char* buffer, std::size_t capacity) = 0;
  // Describes the last failure of read().
  virtual std::string failureDescription() const = 0;
};

}  // namespace caplift
