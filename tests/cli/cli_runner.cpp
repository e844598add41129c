#include "tests/cli/cli_runner.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/hostile/child_process.h"

namespace caplift::test {

namespace fs = std::filesystem;

namespace {

// Long enough for any run; only there so that a hanging converter fails the test instead of
// hanging the suite (the alarm outlives the exec).
constexpr unsigned kGiveUpSeconds = 30;

}  // namespace

CliResult runCli(const CliRun& run) {
  TempDir scratch;
  const std::string in = run.input ? scratch / "in" : run.inputPath;
  const std::string out = run.stdoutPath.empty() ? scratch / "out" : run.stdoutPath;
  if (run.input) writeFile(in, *run.input);
  int broken[2] = {-1, -1};  // a pipe whose reading end is closed before anyone could read it
  int endless[2] = {-1, -1};
  int err[2];  // a pipe, not a file: a file-size limit must not cut the messages short
  if (pipe(err) != 0 || (run.stdoutBrokenPipe && (pipe(broken) != 0 || close(broken[0]) != 0)) ||
      (!run.endlessInput.empty() && pipe(endless) != 0)) {
    throw std::runtime_error("cannot make a pipe");
  }
  const bool nobody = run.asNobody && geteuid() == 0;
  const std::string program = nobody ? testing::executableForAnyUser(CAPLIFT_CONVERT_PATH)
                                     : std::string(CAPLIFT_CONVERT_PATH);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : run.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  // Feeds the endless input until its reader has gone.
  pid_t feeder = -1;
  if (endless[1] >= 0 && (feeder = fork()) == 0) {
    for (int fd : {endless[0], err[0], err[1]}) close(fd);
    alarm(kGiveUpSeconds);
    while (write(endless[1], run.endlessInput.data(), run.endlessInput.size()) >= 0) {
    }
    _exit(0);
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(endless[0] >= 0 ? endless[0] : open(in.c_str(), O_RDONLY), 0);
    dup2(run.stdoutBrokenPipe ? broken[1] : open(out.c_str(), O_WRONLY | O_CREAT, 0600), 1);
    if (run.stdoutClosed) close(1);
    dup2(err[1], 2);
    if (endless[1] >= 0) close(endless[1]);
    for (const std::string& variable : run.environment) putenv(const_cast<char*>(variable.c_str()));
    if (run.fileSizeLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(run.fileSizeLimit),
                         static_cast<rlim_t>(run.fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    umask(022);
    if ((!run.workDir.empty() && chdir(run.workDir.c_str()) != 0) ||
        (nobody && !testing::becomeNobody().empty())) {
      _exit(126);
    }
    alarm(kGiveUpSeconds);
    execv(argv[0], argv.data());
    _exit(127);
  }
  for (int fd : {broken[1], endless[0], endless[1], err[1]}) {
    if (fd >= 0) close(fd);
  }
  CliResult result;
  char buffer[65536];
  for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) {
    result.err.append(buffer, static_cast<std::size_t>(n));
  }
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (feeder > 0) waitpid(feeder, nullptr, 0);
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
  // Folders that a test closed to its user are opened again, so that they can be removed.
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::end(it);
       it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
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
