#include "convert/io/fd_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace caplift {

int writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

long readSome(int fd, char* buffer, std::size_t capacity) {
  for (;;) {
    ssize_t count = ::read(fd, buffer, capacity);
    if (count >= 0 || errno != EINTR) return static_cast<long>(count);
  }
}

std::string errorText(int error) {
  return std::strerror(error);
}

}  // namespace caplift
