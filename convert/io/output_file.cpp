#include "convert/io/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

#include "convert/io/fd_io.h"
#include "convert/io/temporaries.h"

namespace caplift {

namespace {

// Text is gathered into pieces of this size so that the file sees few, large writes.
constexpr std::size_t kWritePiece = 1u << 20;

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file number in "/dev/fd/N" or "/proc/self/fd/N" (where /dev/stdout leads), or -1.
int fileNumberIn(std::string_view path) {
  for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(folder)) continue;
    path.remove_prefix(folder.size());
    int number = 0;
    const auto [end, error] = std::from_chars(path.data(), path.data() + path.size(), number);
    return error == std::errc() && end == path.data() + path.size() ? number : -1;
  }
  return -1;
}

// The file that `path` leads to, following symbolic links, also one that leads nowhere yet: the
// new file goes where the link points, and the link stays. On the way, `fileNumber` is set when
// a link names a file the process has open (/dev/stdout), else -1.
std::string followLinks(std::string path, int& fileNumber) {
  char target[PATH_MAX];
  for (int hops = 0; hops < 40 && (fileNumber = fileNumberIn(path)) < 0; ++hops) {
    const ssize_t size = ::readlink(path.c_str(), target, sizeof target);
    if (size < 0 || static_cast<std::size_t>(size) == sizeof target) break;
    const std::string link(target, static_cast<std::size_t>(size));
    path = link.starts_with('/') ? link : folderOf(path) + link;
  }
  return path;
}

// What a plain create takes away from 0666. The mask can only be read by setting it, and two
// threads that did so at once could leave it cleared: it is read once, on first use.
mode_t creationMask() {
  static const mode_t mask = [] {
    const mode_t read = ::umask(0);
    ::umask(read);
    return read;
  }();
  return mask;
}

}  // namespace

OutputFile::~OutputFile() {
  discard();
  if (fileSizeSignalIgnored_) ::sigaction(SIGXFSZ, &previousFileSizeSignal_, nullptr);
}

std::optional<ConversionFailure> OutputFile::open(const std::optional<FileId>& input) {
  struct stat info {};
  const bool exists = ::stat(path_.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return fail(errno);
  if (exists && input == FileId{info.st_dev, info.st_ino}) {
    failure_ = ConversionFailure{
        ConversionFailure::Kind::kOutputIsInput, path_, reason::kOutputIsInput, {}};
    return failure_;
  }
  if (exists && S_ISDIR(info.st_mode)) return fail(EISDIR);

  // A file-size limit must be a failed write that is reported, not a signal that ends the process.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  fileSizeSignalIgnored_ = ::sigaction(SIGXFSZ, &ignore, &previousFileSizeSignal_) == 0;

  int fileNumber = -1;
  target_ = followLinks(path_, fileNumber);
  if (exists && fileNumber >= 0) {
    // Written as the process writes its own standard output, at the place it has come to.
    fd_ = ::fcntl(fileNumber, F_DUPFD_CLOEXEC, 0);
    return fd_ < 0 ? fail(errno) : std::nullopt;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    return fd_ < 0 ? fail(errno) : std::nullopt;
  }
  // A short name: the target's own name may already be as long as the system allows.
  temporary_ = folderOf(target_) + ".caplift-XXXXXX";
  fd_ = makeTemporary(temporary_);
  if (fd_ < 0) {
    temporary_.clear();
    return fail(errno);
  }
  if (exists && (info.st_uid != ::geteuid() || info.st_gid != ::getegid())) {
    // Keeps the owner where the system lets us; the file is written all the same where not.
    [[maybe_unused]] const int owned = ::fchown(fd_, info.st_uid, info.st_gid);
  }
  const mode_t mode = exists ? info.st_mode & 07777 : 0666 & ~creationMask();
  if (::fchmod(fd_, mode) != 0) return fail(errno);
  return std::nullopt;
}

bool OutputFile::write(std::string_view text) {
  if (failure_) return false;
  if (temporary_.empty()) {
    if (!held_.append(text)) failure_ = held_.failure(path_);
    return !failure_;
  }
  // Large pieces go to the file as they are, without a copy into the pending text first.
  if (pending_.empty() && text.size() >= kWritePiece / 16) {
    if (int error = writeAll(fd_, text)) {
      fail(error);
      return false;
    }
    return true;
  }
  pending_.append(text);
  return pending_.size() < kWritePiece || flush();
}

bool OutputFile::flush() {
  if (int error = writeAll(fd_, pending_)) {
    fail(error);
    return false;
  }
  pending_.clear();
  return true;
}

std::optional<ConversionFailure> OutputFile::commit() {
  if (failure_) return failure_;
  if (temporary_.empty() && !held_.copyTo(fd_)) {
    failure_ = held_.failure(path_);
    discard();
    return failure_;
  }
  if (!flush()) return failure_;
  // A delayed write error (a full disk, a network file system) shows here, not after the rename.
  if (!temporary_.empty() && ::fsync(fd_) != 0 && errno != EINVAL && errno != ENOTSUP) {
    return fail(errno);
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail(errno);
  if (!temporary_.empty()) {
    if (int error = commitTemporary(temporary_, target_)) return fail(error);
  }
  temporary_.clear();
  return std::nullopt;
}

std::optional<ConversionFailure> OutputFile::fail(int error) {
  failure_ = systemFailure(ConversionFailure::Kind::kWrite, path_, error);
  discard();
  return failure_;
}

void OutputFile::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) removeTemporary(temporary_);
  temporary_.clear();
}

}  // namespace caplift
