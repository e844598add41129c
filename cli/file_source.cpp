#include "cli/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/fd_io.h"

namespace caplift {

FileSource::~FileSource() {
  if (ownsFd_) ::close(fd_);
}

bool FileSource::open(const std::string& path) {
  // Non-blocking so that opening a FIFO without a writer returns at once instead of hanging; the
  // flag is cleared again once the file is known to be regular.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure_ = "cannot read: " + errorText(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    failure_ = "cannot read: " + errorText(errno);
  } else if (S_ISDIR(info.st_mode)) {
    failure_ = "cannot read: " + errorText(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    failure_ = "not a regular file (use - to read standard input)";
  } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    failure_ = "cannot read: " + errorText(errno);
  } else {
    fd_ = fd;
    ownsFd_ = true;
    return true;
  }
  ::close(fd);
  return false;
}

void FileSource::useStandardInput() {
  fd_ = STDIN_FILENO;
  ownsFd_ = false;
}

long FileSource::read(char* buffer, std::size_t capacity) {
  long count = readSome(fd_, buffer, capacity);
  if (count < 0) failure_ = "cannot read: " + errorText(errno);
  return count;
}

}  // namespace caplift
