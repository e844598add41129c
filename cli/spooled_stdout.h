#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/output.h"

namespace caplift {

// Standard output that shows nothing unless the conversion succeeds: the text is held back until
// commit(), in memory up to `memoryLimit` bytes and beyond that in an unnamed temporary file, so a
// large conversion does not grow the process.
class SpooledStdout final : public Output {
 public:
  static constexpr std::size_t kDefaultMemoryLimit = 8u << 20;

  explicit SpooledStdout(int fd = 1, std::size_t memoryLimit = kDefaultMemoryLimit);
  ~SpooledStdout() override;
  SpooledStdout(const SpooledStdout&) = delete;
  SpooledStdout& operator=(const SpooledStdout&) = delete;

  bool open() override { return true; }
  bool write(std::string_view text) override;
  bool commit() override;
  std::string failureDescription() const override { return failure_; }

  // True once the text no longer fits in memory and went to a temporary file.
  bool spilled() const { return spillFd_ >= 0; }

 private:
  bool spill();
  bool flushToSpill();
  bool copySpillToOutput();

  int fd_;
  std::size_t memoryLimit_;
  std::string pending_;
  int spillFd_ = -1;
  std::string failure_;
};

}  // namespace caplift
