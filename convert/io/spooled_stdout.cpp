#include "convert/io/spooled_stdout.h"

#include <sys/stat.h>

namespace caplift {

std::optional<ConversionFailure> SpooledStdout::open(const std::optional<FileId>& input) {
  using Kind = ConversionFailure::Kind;
  if (fd_ < 0) failure_ = ConversionFailure{Kind::kWrite, kStandardOutputName, reason::kClosed, {}};
  // "caplift-convert in.fcpxml >> in.fcpxml" would append the subtitles to the export.
  struct stat info {};
  if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && input == FileId{info.st_dev, info.st_ino}) {
    failure_ =
        ConversionFailure{Kind::kOutputIsInput, kStandardOutputName, reason::kOutputIsInput, {}};
  }
  return failure_;
}

bool SpooledStdout::write(std::string_view text) {
  if (failure_) return false;
  if (!spool_.append(text)) failure_ = spool_.failure(kStandardOutputName);
  return !failure_;
}

std::optional<ConversionFailure> SpooledStdout::commit() {
  if (!failure_ && !spool_.copyTo(fd_)) failure_ = spool_.failure(kStandardOutputName);
  return failure_;
}

}  // namespace caplift
