// caplift-convert -o, which writes through the shared OutputFile, under the same faults as the
// application's save: a read-only folder that applies (as nobody, also when the tests run as root),
// a folder in the way, a full file system, a file-size limit, a name and a path too long.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/failures/save_scene.h"

namespace caplift::testing {
namespace {

// Runs caplift-convert `input` -o `target`; gives its exit status and standard error.
std::string convertWithTheCli(const std::string& input, const std::string& target) {
  const std::string program = executableForAnyUser(CAPLIFT_CONVERT_PATH);
  int errors[2];
  if (::pipe(errors) != 0) return "no pipe";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(errors[1], STDERR_FILENO);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::close(errors[0]);
    ::execl(program.c_str(), "caplift-convert", input.c_str(), "-o", target.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(errors[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(errors[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(errors[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return "exit " + std::to_string(code) + ": " + text;
}

TEST(CliSaveFailure, TellsWhyAndLosesNothing) {
  executableForAnyUser(CAPLIFT_CONVERT_PATH);  // copied here, before a child becomes nobody
  checkEverySaveFault("in.fcpxml", convertWithTheCli, [](const std::string& message) {
    EXPECT_EQ(message.rfind("exit 1: caplift-convert: ", 0), 0u) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  });
}

}  // namespace
}  // namespace caplift::testing
