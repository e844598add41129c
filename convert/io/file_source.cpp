#include "convert/io/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "convert/io/fd_io.h"
#include "convert/io/input_path.h"

namespace caplift {

namespace {

std::optional<FileId> regularFileId(const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

}  // namespace

std::optional<FileId> fileIdOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

FileSource::~FileSource() {
  if (ownsFd_) ::close(fd_);
}

std::optional<ConversionFailure> FileSource::open(const std::string& input) {
  using Kind = ConversionFailure::Kind;
  DocumentPath document = documentPathFor(input);
  if (!document.ok()) return document.failure;
  // For a bundle, name the document inside it: that is where a line and column point.
  name_ = document.path;
  // Non-blocking so that opening a FIFO without a writer returns at once instead of hanging; the
  // flag is cleared again once the file is known to be regular.
  const int fd = ::open(name_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return systemFailure(Kind::kRead, name_, errno);
  struct stat info {};
  int error = 0;
  if (::fstat(fd, &info) != 0) {
    error = errno;
  } else if (S_ISDIR(info.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return ConversionFailure{Kind::kRead, name_, reason::kNotRegular, {}};
  } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::close(fd);
    return systemFailure(Kind::kRead, name_, error);
  }
  fd_ = fd;
  ownsFd_ = true;
  id_ = regularFileId(info);
  return std::nullopt;
}

void FileSource::useStandardInput() {
  fd_ = STDIN_FILENO;
  ownsFd_ = false;
  struct stat info {};
  if (::fstat(fd_, &info) == 0) id_ = regularFileId(info);
}

long FileSource::read(char* buffer, std::size_t capacity) {
  long count = readSome(fd_, buffer, capacity);
  if (count < 0) failure_ = errorText(errno);
  return count;
}

}  // namespace caplift
