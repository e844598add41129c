#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace caplift::test {

struct CliResult {
  int exitCode = -1;  // 128 + the signal when the process was killed by one
  std::string out;
  std::string err;
};

struct CliRun {
  std::optional<std::string> input{};  // standard input; /dev/null when absent
  std::string stdoutPath{};       // standard output goes to this file instead of being captured
  bool stdoutBrokenPipe = false;  // standard output is a pipe that nobody reads
  long fileSizeLimit = -1;        // RLIMIT_FSIZE in bytes for the child, when >= 0
};

// Runs caplift-convert with `args` and returns what it did.
CliResult runCli(const std::vector<std::string>& args, const CliRun& run = {});

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes);
std::optional<std::string> readFile(const std::string& path);
// The names in a folder, sorted; hidden ones included.
std::vector<std::string> listDir(const std::string& path);

}  // namespace caplift::test
