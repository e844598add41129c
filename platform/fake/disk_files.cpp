#include "platform/fake/disk_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace caplift::platform::fake {

namespace {

std::string quoted(const std::string& path) {
  return "\u201c" + path + "\u201d";
}

std::string folderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

WriteResult writeFailure(const std::string& path, int error) {
  return {false, "The file " + quoted(nameOf(path)) + " couldn't be saved in the folder " +
                     quoted(folderOf(path)) + ": " + std::strerror(error) + "."};
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::optional<std::size_t> firstInvalidUtf8Byte(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;   // overlong
      if (c == 0xED) high = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;   // overlong
      if (c == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
      return i;
    }
    if (i + 1 >= n || s[i + 1] < low || s[i + 1] > high) return i;
    for (std::size_t k = 2; k < length; ++k) {
      if (i + k >= n || (s[i + k] & 0xC0) != 0x80) return i;
    }
    i += length;
  }
  return std::nullopt;
}

ReadResult readUtf8FromDisk(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    return {std::nullopt,
            "The file " + quoted(nameOf(path)) + " couldn't be opened because it is a folder."};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return {std::nullopt, "The file " + quoted(nameOf(path)) +
                              " couldn't be opened: " + std::strerror(errno) + "."};
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    return {std::nullopt, "The file " + quoted(nameOf(path)) + " couldn't be read."};
  }
  if (auto offset = firstInvalidUtf8Byte(bytes)) {
    return {std::nullopt, "The file " + quoted(nameOf(path)) +
                              " couldn't be opened because it isn't in the correct format: the "
                              "byte at offset " +
                              std::to_string(*offset) + " is not UTF-8."};
  }
  return {std::move(bytes), {}};
}

WriteResult writeAtomicallyToDisk(const std::string& path, std::string_view utf8) {
  std::string pattern = folderOf(path) + "/." + nameOf(path) + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return writeFailure(path, errno);
  // mkstemp makes the file private; a saved document gets the usual permissions.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  bool written = writeAll(fd, utf8);
  int error = written ? 0 : errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temp.data(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temp.data());
    return writeFailure(path, error);
  }
  return {true, {}};
}

}  // namespace caplift::platform::fake
