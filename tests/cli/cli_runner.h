#pragma once

#include <optional>
#include <string>
#include <vector>

namespace caplift::test {

struct CliResult {
  int exitCode = -1;  // 128 + the signal when the process was killed by one
  std::string out;
  std::string err;
};

struct CliRun {
  std::vector<std::string> args;
  std::string workDir{};               // the working folder, when not this process's own
  std::optional<std::string> input{};  // standard input's bytes; else `inputPath`
  std::string inputPath = "/dev/null";
  std::string endlessInput{};  // when set, standard input is a pipe fed this over and over
  std::string stdoutPath{};    // standard output goes to this file instead of being captured
  bool stdoutClosed = false;
  bool stdoutBrokenPipe = false;           // standard output is a pipe that nobody reads
  std::vector<std::string> environment{};  // NAME=VALUE, added to this process's own
  long fileSizeLimit = -1;                 // RLIMIT_FSIZE in bytes, when >= 0
  bool asNobody = false;                   // when this process is root: run as the user nobody
};

// Runs caplift-convert and returns what it did.
CliResult runCli(const CliRun& run);

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
