#include "tests/failures/save_scene.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/hostile/child_process.h"

namespace caplift::testing {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSmallFileSystem = 64 * 1024;
constexpr std::size_t kFileSizeLimit = 1000;

std::string nothing(const SharedTempDir&) {
  return {};
}

// "out" with an older a.srt in it.
std::string existingTarget(const SharedTempDir& dir) {
  fs::create_directory(dir / "out");
  writeBytes(dir / "out/a.srt", kOldTarget);
  return dir / "out/a.srt";
}

std::string join(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += " " + name;
  return text;
}

}  // namespace

const std::vector<SaveFault>& saveFaults() {
  static const std::vector<SaveFault> faults = {
      {"read-only folder, as nobody", nothing, [](const SharedTempDir&) { return becomeNobody(); },
       [](const SharedTempDir& dir) {
         // The file itself may be written: only the folder says no.
         const std::string target = existingTarget(dir);
         fs::permissions(target, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                                     ~fs::perms::others_exec);
         fs::permissions(dir / "out", fs::perms::owner_read | fs::perms::owner_exec |
                                          fs::perms::group_read | fs::perms::group_exec |
                                          fs::perms::others_read | fs::perms::others_exec);
         return target;
       }},
      {"target is a folder", nothing, nothing,
       [](const SharedTempDir& dir) {
         fs::create_directories(dir / "out/a.srt");
         writeBytes(dir / "out/a.srt/keep", "kept");
         return dir / "out/a.srt";
       }},
      {"full file system (64 KiB tmpfs)",
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "out");
         return mountSmallFileSystem(dir / "out", kSmallFileSystem);
       },
       nothing, existingTarget},
      // Small enough to stay in a write buffer until the file is closed: the failure comes late.
      {"full file system, small save",
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "out");
         return mountSmallFileSystem(dir / "out", kSmallFileSystem);
       },
       nothing,
       [](const SharedTempDir& dir) {
         const std::string target = existingTarget(dir);
         writeBytes(dir / "out/filler", std::string(kSmallFileSystem - 3 * 4096, 'f'));
         return target;
       },
       10 * 1024},
      {"file-size limit (1000 bytes)", nothing,
       [](const SharedTempDir&) { return limitFileSize(kFileSizeLimit); }, existingTarget},
      {"file name too long", nothing, nothing,
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "out");
         return dir / ("out/" + std::string(300, 'n') + ".srt");
       }},
      {"path too long", nothing, nothing,
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "out");
         std::string path = dir / "out";
         while (path.size() < 5000) path += "/" + std::string(200, 'd');
         return path + "/a.srt";
       }},
  };
  return faults;
}

std::string exportWithSubtitlesOf(std::size_t bytes) {
  std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<fcpxml><spine>\n";
  const std::string title =
      "<title offset=\"1s\" duration=\"2s\"><text><text-style>A subtitle line of some length"
      "</text-style></text></title>\n";
  // Each title gives about 70 bytes of subtitles.
  for (std::size_t made = 0; made < bytes; made += 70) document += title;
  return document + "</spine></fcpxml>\n";
}

std::string saveWithFault(const SaveFault& fault, const SharedTempDir& dir,
                          const std::function<std::string(const std::string& target)>& save) {
  const ChildOutcome child = runInChild(
      [&] {
        if (std::string why = fault.before(dir); !why.empty()) return "SKIP: " + why;
        const std::string target = fault.scene(dir);
        const std::string folder = fs::path(target).parent_path().string();
        std::error_code error;
        const std::string watched = fs::is_directory(folder, error) ? folder : dir / "out";
        const std::string oldBytes = bytesOf(target);
        const std::vector<std::string> oldNames = namesIn(watched);
        if (std::string why = fault.after(dir); !why.empty()) return "SKIP: " + why;

        const std::string message = save(target);
        std::string problems;
        if (bytesOf(target) != oldBytes) problems += "the target changed\n";
        if (namesIn(watched) != oldNames) {
          problems += "the folder held" + join(oldNames) + ", now" + join(namesIn(watched)) + "\n";
        }
        if (message.find(target) == std::string::npos) problems += "the message names no target\n";
        return message + "\n--\n" + problems;
      },
      60);
  if (child.timedOut) return "\n--\nthe save hung\n";
  if (!child.finished) {
    return "\n--\nthe saver died (signal " + std::to_string(child.signal) + "): " + child.report +
           "\n";
  }
  return child.report;
}

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

void checkEverySaveFault(
    const std::string& inputName,
    const std::function<std::string(const std::string& input, const std::string& target)>& save,
    const std::function<void(const std::string& message)>& checkMessage) {
  for (const SaveFault& fault : saveFaults()) {
    SCOPED_TRACE(fault.name);
    SharedTempDir dir;
    const std::string input = dir / inputName;
    writeBytes(input, exportWithSubtitlesOf(fault.subtitleBytes));
    const std::string report =
        saveWithFault(fault, dir, [&](const std::string& target) { return save(input, target); });
    if (report.rfind("SKIP: ", 0) == 0) {
      std::printf("[  NOTICE  ] %s: skipped, %s\n", fault.name, report.c_str() + 6);
      continue;
    }
    const std::size_t split = report.find("\n--\n");
    ASSERT_NE(split, std::string::npos) << report;
    const std::string message = report.substr(0, split);
    std::printf("[  fault   ] %s: %.200s\n", fault.name, message.c_str());
    checkMessage(message);
    EXPECT_EQ(report.substr(split + 4), "");
  }
}

}  // namespace caplift::testing
