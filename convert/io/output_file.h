#pragma once

#include <csignal>
#include <optional>
#include <string>
#include <string_view>

#include "convert/io/output.h"
#include "convert/io/spool.h"

namespace caplift {

// A file written whole or not at all. A regular file, or a name that does not exist yet, is
// written to a temporary file in the same folder that replaces it on commit(), keeping an existing
// file's permissions (a new file gets those of a plain create); a link keeps pointing to it.
// Dropped without commit(), the target stays as it was and the temporary is removed. A device,
// FIFO or socket is written to instead, as the shell's ">" does, and /dev/stdout (or /dev/fd/N)
// is written as the process's own open file; what goes there is held back until commit(), as it
// cannot be taken back once written. The path is bytes, given to the system as
// they are.
class OutputFile final : public Output {
 public:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::optional<ConversionFailure> open(const std::optional<FileId>& input) override;
  bool write(std::string_view text) override;
  std::optional<ConversionFailure> commit() override;
  const std::optional<ConversionFailure>& failure() const override { return failure_; }

 private:
  bool flush();
  // Records the failure for errno value `error` and drops what was written.
  std::optional<ConversionFailure> fail(int error);
  void discard();

  std::string path_;
  std::string target_;     // the file replaced: `path_` with its links followed
  std::string temporary_;  // empty when writing through, or once committed
  int fd_ = -1;
  std::string pending_;
  Spool held_;  // when writing to a device or an open file
  std::optional<ConversionFailure> failure_;
  struct sigaction previousFileSizeSignal_ {};
  bool fileSizeSignalIgnored_ = false;
};

}  // namespace caplift
