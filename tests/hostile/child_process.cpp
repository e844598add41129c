#include "tests/hostile/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

namespace caplift::testing {

ChildOutcome runInChild(const std::function<std::string()>& body, int timeoutSeconds) {
  ChildOutcome outcome;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return outcome;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::alarm(static_cast<unsigned>(timeoutSeconds));  // ends a child that hangs
    // Nothing may escape into the test framework's copy in the child, which would go on running
    // the remaining tests there.
    std::string report;
    try {
      report = "\x01" + body();  // marks a body that returned
    } catch (const std::exception& error) {
      report = std::string("exception: ") + error.what();
    } catch (...) {
      report = "exception";
    }
    FILE* pipe = ::fdopen(fds[1], "w");
    std::fwrite(report.data(), 1, report.size(), pipe);
    std::fclose(pipe);
    ::_exit(0);
  }
  ::close(fds[1]);
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0) outcome.report.append(buffer, static_cast<std::size_t>(n));
    if (n < 0 && errno != EINTR) break;
  }
  ::close(fds[0]);
  int status = 0;
  while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  outcome.timedOut = outcome.signal == SIGALRM;
  outcome.finished =
      WIFEXITED(status) && WEXITSTATUS(status) == 0 && outcome.report.starts_with('\x01');
  if (outcome.finished) outcome.report.erase(0, 1);
  return outcome;
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
  // In a folder of its own under the temporary folder, removed at exit.
  struct Copy {
    std::string folder = (fs::temp_directory_path() / "caplift-bin-XXXXXX").string();
    ~Copy() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  };
  static Copy copy;
  static const std::string copied = [&] {
    const std::string target =
        ::mkdtemp(copy.folder.data()) + ("/" + fs::path(path).filename().string());
    fs::copy_file(path, target);
    for (const std::string& made : {copy.folder, target}) {
      fs::permissions(made,
                      fs::perms::others_read | fs::perms::others_exec | fs::perms::group_read |
                          fs::perms::group_exec,
                      fs::perm_options::add);
    }
    return target;
  }();
  return copied;
}

}  // namespace caplift::testing
