#include "tests/cli/cli_runner.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace caplift::test {

namespace fs = std::filesystem;

namespace {

// Long enough for any run; only there so that a hanging converter fails the test instead of
// hanging the suite (the alarm outlives the exec).
constexpr unsigned kGiveUpSeconds = 60;

}  // namespace

CliResult runCli(const std::vector<std::string>& args, const CliRun& run) {
  TempDir scratch;
  const std::string in = run.input ? scratch / "in" : "/dev/null";
  const std::string out = run.stdoutPath.empty() ? scratch / "out" : run.stdoutPath;
  if (run.input) writeFile(in, *run.input);
  int broken[2] = {-1, -1};  // a pipe whose reading end is closed before anyone could read it
  int err[2];  // a pipe, not a file: a file-size limit must not cut the messages short
  if (pipe(err) != 0 || (run.stdoutBrokenPipe && (pipe(broken) != 0 || close(broken[0]) != 0))) {
    throw std::runtime_error("cannot make a pipe");
  }
  std::vector<char*> argv{const_cast<char*>(CAPLIFT_CONVERT_PATH)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open(in.c_str(), O_RDONLY), 0);
    dup2(run.stdoutBrokenPipe ? broken[1] : open(out.c_str(), O_WRONLY | O_CREAT, 0600), 1);
    dup2(err[1], 2);
    if (run.fileSizeLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(run.fileSizeLimit),
                         static_cast<rlim_t>(run.fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    alarm(kGiveUpSeconds);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (broken[1] >= 0) close(broken[1]);
  close(err[1]);
  CliResult result;
  char buffer[65536];
  for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) {
    result.err.append(buffer, static_cast<std::size_t>(n));
  }
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (run.stdoutPath.empty()) result.out = readFile(out).value_or("");
  return result;
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "caplift-cli-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

std::optional<std::string> readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> listDir(const std::string& path) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(path, ignored)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace caplift::test
