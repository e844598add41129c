#include "tests/cli/cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace caplift::test {

namespace fs = std::filesystem;

namespace {

// Long enough for any run; only there so that a hanging converter fails the test instead of
// hanging the suite.
constexpr int kGiveUpMilliseconds = 60'000;

[[noreturn]] void childExec(const std::vector<std::string>& args, const CliRun& run, int inputFd,
                            int outFd, int errFd) {
  dup2(inputFd, 0);
  dup2(outFd, 1);
  dup2(errFd, 2);
  if (run.fileSizeLimit >= 0) {
    rlimit limit{static_cast<rlim_t>(run.fileSizeLimit), static_cast<rlim_t>(run.fileSizeLimit)};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  std::vector<char*> argv{const_cast<char*>(CAPLIFT_CONVERT_PATH)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

int openInput(const CliRun& run, const TempDir& scratch) {
  if (!run.input) return open("/dev/null", O_RDONLY | O_CLOEXEC);
  std::string path = scratch / "stdin";
  writeFile(path, *run.input);
  return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

}  // namespace

CliResult runCli(const std::vector<std::string>& args, const CliRun& run) {
  TempDir scratch;
  int inputFd = openInput(run, scratch);
  int outPipe[2], errPipe[2];
  if (inputFd < 0 || pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("cannot set up the child's streams");
  }
  int outFd = outPipe[1];
  if (!run.stdoutPath.empty()) outFd = open(run.stdoutPath.c_str(), O_WRONLY | O_CLOEXEC);
  if (run.stdoutBrokenPipe) {
    int broken[2];
    if (pipe2(broken, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    close(broken[0]);
    outFd = broken[1];
  }

  pid_t pid = fork();
  if (pid == 0) childExec(args, run, inputFd, outFd, errPipe[1]);
  close(inputFd);
  close(outPipe[1]);
  close(errPipe[1]);
  if (outFd != outPipe[1]) close(outFd);

  CliResult result;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int openStreams = 2;
  while (openStreams > 0) {
    if (poll(fds, 2, kGiveUpMilliseconds) <= 0) {
      kill(pid, SIGKILL);
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
      if (count > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(count));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --openStreams;
      }
    }
  }
  for (pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "caplift-cli-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Tests make folders read-only; give the owner its rights back so that they can be removed.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    if (entry.is_directory(ignored)) fs::permissions(entry.path(), fs::perms::owner_all, ignored);
  }
  fs::permissions(path_, fs::perms::owner_all, ignored);
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
