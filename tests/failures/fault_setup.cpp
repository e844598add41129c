#include "tests/failures/fault_setup.h"

#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace caplift::testing {

namespace fs = std::filesystem;

namespace {

std::string failed(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

std::string mountSmallFileSystem(const std::string& path, std::size_t bytes) {
  if (::unshare(CLONE_NEWNS) != 0) return failed("unshare");
  // Keeps the new mount from propagating back to the parent's namespace.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    return failed("making / private");
  }
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount("caplift-test", path.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    return failed("mount tmpfs");
  }
  return {};
}

std::string limitFileSize(std::size_t bytes) {
  const rlimit limit{bytes, bytes};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return failed("setrlimit");
  return {};
}

SharedTempDir::SharedTempDir() {
  std::string pattern = (fs::temp_directory_path() / "caplift-failures-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return;
  path_ = pattern;
  fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
}

SharedTempDir::~SharedTempDir() {
  if (path_.empty()) return;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(path_, error); it != fs::end(it);
       it.increment(error)) {
    if (it->is_directory(error)) fs::permissions(it->path(), fs::perms::owner_all, error);
  }
  fs::remove_all(path_, error);
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string bytesOf(const std::string& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return "<folder>";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace caplift::testing
