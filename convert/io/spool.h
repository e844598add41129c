#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/conversion_failure.h"

namespace caplift {

// Text held back until the conversion has succeeded, so that nothing of a document that then
// fails reaches a terminal, a pipe or a device: in memory up to `memoryLimit` bytes and beyond
// that in an unnamed temporary file, so a large conversion does not grow the process.
class Spool {
 public:
  static constexpr std::size_t kDefaultMemoryLimit = 8u << 20;

  explicit Spool(std::size_t memoryLimit = kDefaultMemoryLimit) : memoryLimit_(memoryLimit) {}
  ~Spool();
  Spool(const Spool&) = delete;
  Spool& operator=(const Spool&) = delete;

  bool append(std::string_view text);
  // Writes everything held to `fd`, in order.
  bool copyTo(int fd);
  // True once the text no longer fits in memory and went to a temporary file.
  bool spilled() const { return spillFd_ >= 0; }
  // Why append() or copyTo() failed, for the output called `name`.
  ConversionFailure failure(const std::string& name) const;

 private:
  bool spill();
  bool flushToSpill();
  bool fail(int error, bool inSpill);

  std::size_t memoryLimit_;
  std::string pending_;
  int spillFd_ = -1;
  std::string spillFolder_;
  int error_ = 0;
  bool errorInSpill_ = false;
};

}  // namespace caplift
