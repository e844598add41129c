#include "cli/spooled_stdout.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "cli/fd_io.h"

namespace caplift {

namespace {

// Once spilled, text is gathered into pieces of this size before it goes to the temporary file.
constexpr std::size_t kSpillPiece = 1u << 20;

std::string temporaryFolder() {
  const char* dir = std::getenv("TMPDIR");
  return dir && *dir ? dir : "/tmp";
}

}  // namespace

SpooledStdout::SpooledStdout(int fd, std::size_t memoryLimit)
    : fd_(fd), memoryLimit_(memoryLimit) {}

SpooledStdout::~SpooledStdout() {
  if (spillFd_ >= 0) ::close(spillFd_);
}

bool SpooledStdout::write(std::string_view text) {
  if (!failure_.empty()) return false;
  pending_.append(text);
  if (pending_.size() <= (spilled() ? kSpillPiece : memoryLimit_)) return true;
  if (!spilled() && !spill()) return false;
  return flushToSpill();
}

bool SpooledStdout::spill() {
  // Unlinked right away: the file has no name to leave behind, whatever happens to the process.
  std::string name = temporaryFolder() + "/caplift-convert-XXXXXX";
  int fd = ::mkstemp(name.data());
  if (fd < 0) {
    failure_ = "cannot write: temporary file in " + temporaryFolder() + ": " + errorText(errno);
    return false;
  }
  ::unlink(name.c_str());
  spillFd_ = fd;
  return true;
}

bool SpooledStdout::flushToSpill() {
  if (int error = writeAll(spillFd_, pending_)) {
    failure_ = "cannot write: temporary file in " + temporaryFolder() + ": " + errorText(error);
    return false;
  }
  pending_.clear();
  return true;
}

bool SpooledStdout::commit() {
  if (!failure_.empty()) return false;
  if (spilled() && (!flushToSpill() || !copySpillToOutput())) return false;
  if (int error = writeAll(fd_, pending_)) {
    failure_ = "cannot write: " + errorText(error);
    return false;
  }
  pending_.clear();
  return true;
}

bool SpooledStdout::copySpillToOutput() {
  if (::lseek(spillFd_, 0, SEEK_SET) != 0) {
    failure_ = "cannot write: temporary file: " + errorText(errno);
    return false;
  }
  std::vector<char> buffer(kSpillPiece);
  for (;;) {
    long count = readSome(spillFd_, buffer.data(), buffer.size());
    if (count == 0) return true;
    if (count < 0) {
      failure_ = "cannot write: temporary file: " + errorText(errno);
      return false;
    }
    if (int error = writeAll(fd_, {buffer.data(), static_cast<std::size_t>(count)})) {
      failure_ = "cannot write: " + errorText(error);
      return false;
    }
  }
}

}  // namespace caplift
