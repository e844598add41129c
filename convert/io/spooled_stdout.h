#pragma once

#include <cstddef>

#include "convert/io/output_file.h"
#include "convert/io/spool.h"

namespace caplift {

// Standard output's name in messages.
inline constexpr const char* kStandardOutputName = "standard output";

// Standard output that shows nothing unless the conversion succeeds.
class SpooledStdout final : public Output {
 public:
  // `fd` is -1 when the caller closed standard output.
  explicit SpooledStdout(int fd = 1, std::size_t memoryLimit = Spool::kDefaultMemoryLimit)
      : fd_(fd), spool_(memoryLimit) {}

  std::optional<ConversionFailure> open(const std::optional<FileId>& input) override;
  bool write(std::string_view text) override;
  std::optional<ConversionFailure> commit() override;
  const std::optional<ConversionFailure>& failure() const override { return failure_; }

  bool spilled() const { return spool_.spilled(); }

 private:
  int fd_;
  Spool spool_;
  std::optional<ConversionFailure> failure_;
};

}  // namespace caplift
