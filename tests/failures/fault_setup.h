#pragma once

#include <string>
#include <vector>

#include "tests/hostile/child_process.h"

namespace caplift::testing {

// Ways to make a save or read fail for real, each applied in a forked child (see runInChild):
// they change the child's user, mounts or limits for good. Each returns the empty text when it
// took effect, else why not (the caller skips with a notice).

// Mounts a tmpfs of `bytes` on the existing empty folder `path`, in a mount namespace of the
// child's own: the mount is gone with the child and nobody else sees it.
std::string mountSmallFileSystem(const std::string& path, std::size_t bytes);
// Limits the size of any file the child writes. A write past the limit raises SIGXFSZ, which
// ends the process unless the code under test ignores it; then the write fails with EFBIG.
std::string limitFileSize(std::size_t bytes);

// A fresh folder under the temporary folder that any user may enter and read; removed with all
// it holds, read-only folders included.
class SharedTempDir {
 public:
  SharedTempDir();
  ~SharedTempDir();
  SharedTempDir(const SharedTempDir&) = delete;
  SharedTempDir& operator=(const SharedTempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void writeBytes(const std::string& path, const std::string& bytes);
// The file's bytes, "<missing>" when there is none, "<folder>" for a folder.
std::string bytesOf(const std::string& path);
// The names in a folder, sorted, hidden ones included.
std::vector<std::string> namesIn(const std::string& folder);

}  // namespace caplift::testing
