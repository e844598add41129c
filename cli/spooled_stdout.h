#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/output_file.h"

namespace caplift {

// Standard output's name in messages.
inline constexpr const char* kStandardOutputName = "standard output";

// Standard output that shows nothing unless the conversion succeeds: the text is held back until
// commit(), in memory up to `memoryLimit` bytes and beyond that in an unnamed temporary file, so a
// large conversion does not grow the process.
class SpooledStdout final : public Output {
 public:
  static constexpr std::size_t kDefaultMemoryLimit = 8u << 20;

  // `fd` is -1 when the caller closed standard output.
  explicit SpooledStdout(int fd = 1, std::size_t memoryLimit = kDefaultMemoryLimit);
  ~SpooledStdout() override;
  SpooledStdout(const SpooledStdout&) = delete;
  SpooledStdout& operator=(const SpooledStdout&) = delete;

  std::optional<ConversionFailure> open(const std::optional<FileId>& input) override;
  bool write(std::string_view text) override;
  std::optional<ConversionFailure> commit() override;
  const std::optional<ConversionFailure>& failure() const override { return failure_; }

  // True once the text no longer fits in memory and went to a temporary file.
  bool spilled() const { return spillFd_ >= 0; }

 private:
  bool spill();
  bool flushToSpill();
  bool copySpillToOutput();
  // Records the failure: `error` (an errno value), in the temporary file when `inSpill`.
  bool fail(int error, bool inSpill = false);

  int fd_;
  std::size_t memoryLimit_;
  std::string pending_;
  int spillFd_ = -1;
  std::string spillFolder_;
  std::optional<ConversionFailure> failure_;
};

}  // namespace caplift
