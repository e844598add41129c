#include "convert/io/spool.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "convert/io/fd_io.h"

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

Spool::~Spool() {
  if (spillFd_ >= 0) ::close(spillFd_);
}

bool Spool::append(std::string_view text) {
  if (error_ != 0) return false;
  pending_.append(text);
  if (pending_.size() <= (spilled() ? kSpillPiece : memoryLimit_)) return true;
  if (!spilled() && !spill()) return false;
  return flushToSpill();
}

bool Spool::spill() {
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

bool Spool::flushToSpill() {
  if (int error = writeAll(spillFd_, pending_)) return fail(error, true);
  pending_.clear();
  return true;
}

bool Spool::copyTo(int fd) {
  if (error_ != 0) return false;
  if (spilled()) {
    if (!flushToSpill()) return false;
    if (::lseek(spillFd_, 0, SEEK_SET) != 0) return fail(errno, true);
    std::vector<char> buffer(kSpillPiece);
    for (;;) {
      const long count = readSome(spillFd_, buffer.data(), buffer.size());
      if (count == 0) break;
      if (count < 0) return fail(errno, true);
      if (int error = writeAll(fd, {buffer.data(), static_cast<std::size_t>(count)})) {
        return fail(error, false);
      }
    }
  }
  if (int error = writeAll(fd, pending_)) return fail(error, false);
  pending_.clear();
  return true;
}

bool Spool::fail(int error, bool inSpill) {
  error_ = error;
  errorInSpill_ = inSpill;
  return false;
}

ConversionFailure Spool::failure(const std::string& name) const {
  if (errorInSpill_) {
    return {ConversionFailure::Kind::kWrite,
            name,
            reason::kTemporaryFile,
            {spillFolder_, errorText(error_)}};
  }
  return systemFailure(ConversionFailure::Kind::kWrite, name, error_);
}

}  // namespace caplift
