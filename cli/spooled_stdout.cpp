#include "cli/spooled_stdout.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "convert/fd_io.h"

namespace caplift {

namespace {

// Once spilled, text is gathered into pieces of this size before it goes to the temporary file.
constexpr std::size_t kSpillPiece = 1u << 20;

// Where the temporary file may go, in order: a TMPDIR that cannot be used is no reason to fail.
std::vector<std::string> temporaryFolders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("TMPDIR"); dir && *dir) folders.push_back(dir);
  for (const char* dir : {"/tmp", "/var/tmp"}) {
    if (folders.empty() || folders.front() != dir) folders.push_back(dir);
  }
  return folders;
}

}  // namespace

SpooledStdout::SpooledStdout(int fd, std::size_t memoryLimit)
    : fd_(fd), memoryLimit_(memoryLimit) {}

SpooledStdout::~SpooledStdout() {
  if (spillFd_ >= 0) ::close(spillFd_);
}

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
  pending_.append(text);
  if (pending_.size() <= (spilled() ? kSpillPiece : memoryLimit_)) return true;
  if (!spilled() && !spill()) return false;
  return flushToSpill();
}

bool SpooledStdout::spill() {
  int firstError = 0;
  for (const std::string& folder : temporaryFolders()) {
    // Unlinked right away: the file has no name to leave behind, whatever happens to the process.
    std::string name = folder + "/caplift-convert-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd >= 0) {
      ::unlink(name.c_str());
      spillFd_ = fd;
      spillFolder_ = folder;
      return true;
    }
    if (firstError == 0) {
      firstError = errno;
      spillFolder_ = folder;
    }
  }
  return fail(firstError, true);
}

bool SpooledStdout::flushToSpill() {
  if (int error = writeAll(spillFd_, pending_)) return fail(error, true);
  pending_.clear();
  return true;
}

std::optional<ConversionFailure> SpooledStdout::commit() {
  if (failure_) return failure_;
  if (spilled() && (!flushToSpill() || !copySpillToOutput())) return failure_;
  if (int error = writeAll(fd_, pending_)) fail(error);
  pending_.clear();
  return failure_;
}

bool SpooledStdout::copySpillToOutput() {
  if (::lseek(spillFd_, 0, SEEK_SET) != 0) return fail(errno, true);
  std::vector<char> buffer(kSpillPiece);
  for (;;) {
    long count = readSome(spillFd_, buffer.data(), buffer.size());
    if (count == 0) return true;
    if (count < 0) return fail(errno, true);
    if (int error = writeAll(fd_, {buffer.data(), static_cast<std::size_t>(count)})) {
      return fail(error);
    }
  }
}

bool SpooledStdout::fail(int error, bool inSpill) {
  failure_ = inSpill ? ConversionFailure{ConversionFailure::Kind::kWrite,
                                         kStandardOutputName,
                                         reason::kTemporaryFile,
                                         {spillFolder_, errorText(error)}}
                     : systemFailure(ConversionFailure::Kind::kWrite, kStandardOutputName, error);
  return false;
}

}  // namespace caplift
