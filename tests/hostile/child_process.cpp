#include "tests/hostile/child_process.h"

#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <filesystem>

namespace caplift::testing {

namespace {

void writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

ChildOutcome runInChild(const std::function<std::string()>& body, int timeoutSeconds,
                        const std::function<std::string()>& setup) {
  ChildOutcome outcome;
  int fds[2];
  if (::pipe(fds) != 0) return outcome;
  const pid_t pid = ::fork();
  if (pid < 0) return outcome;
  if (pid == 0) {
    ::close(fds[0]);
    // Nothing may escape into the test framework's copy in the child, which would go on running
    // the remaining tests there.
    std::string report;
    try {
      report = setup ? setup() : std::string();
      if (report.empty()) report = "\x01" + body();  // marks a body that returned
    } catch (const std::exception& error) {
      report = std::string("exception: ") + error.what();
    } catch (...) {
      report = "exception";
    }
    writeAll(fds[1], report);
    ::_exit(0);
  }
  ::close(fds[1]);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  std::string report;
  char buffer[4096];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      outcome.timedOut = true;
      ::kill(pid, SIGKILL);
      break;
    }
    pollfd pending{fds[0], POLLIN, 0};
    const int ready = ::poll(&pending, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    report.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);

  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  outcome.peakRssKiB = usage.ru_maxrss;
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  outcome.finished = !outcome.timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                     !report.empty() && report[0] == '\x01';
  outcome.report = outcome.finished ? report.substr(1) : report;
  return outcome;
}

long baselineRssKiB() {
  static const long baseline = runInChild([] { return std::string(); }).peakRssKiB;
  return baseline;
}

std::string becomeNobody() {
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) return "no user \"nobody\"";
  if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
      ::setuid(nobody->pw_uid) != 0) {
    return std::string("cannot become nobody: ") + std::strerror(errno);
  }
  return {};
}

std::string executableForAnyUser(const std::string& path) {
  namespace fs = std::filesystem;
  struct Copy {
    std::string folder = (fs::temp_directory_path() / "caplift-bin-XXXXXX").string();
    std::string path;
    ~Copy() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  };
  static Copy copy;
  if (!copy.path.empty()) return copy.path;
  if (::mkdtemp(copy.folder.data()) == nullptr) return path;
  copy.path = copy.folder + "/" + fs::path(path).filename().string();
  const auto anyone = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec;
  std::error_code error;
  fs::permissions(copy.folder, anyone, error);
  if (!fs::copy_file(path, copy.path, error)) return path;
  fs::permissions(copy.path, anyone, error);
  return copy.path;
}

}  // namespace caplift::testing
