// Reads and saves that fail for real (a FIFO, permissions, a full file system, a file-size limit,
// names too long), by the application through the reader and writer it shares with
// caplift-convert (whose messages cases.txt checks): each tells why, naming the file, never hangs,
// and leaves the target and its folder as they were. Each fault runs in a child, which may change
// its user, mounts or limits.
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>

#include "app/document_files.h"
#include "app/translations.h"
#include "tests/hostile/child_process.h"
#include "tests/support/case_file.h"

namespace caplift::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSmallFileSystem = 64 * 1024;

std::string failed(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

// A tmpfs of `bytes` on the folder `path`, in a mount namespace of the child's own: the mount is
// gone with the child and nobody else sees it. Returns why not, or nothing.
std::string mountSmallFileSystem(const std::string& path, std::size_t bytes) {
  fs::create_directories(path);
  if (::unshare(CLONE_NEWNS) != 0) return failed("unshare");
  // Keeps the new mount from propagating back to the parent's namespace.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return failed("mount /");
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount("caplift-test", path.c_str(), "tmpfs", 0, options.c_str()) != 0)
    return failed("tmpfs");
  return {};
}

std::string limitFileSize() {
  const rlimit limit{1000, 1000};
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? "" : failed("setrlimit");
}

void write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// What a target and its folder hold.
std::string contentOf(const std::string& target) {
  std::string names;
  std::error_code absent;
  for (const auto& entry : fs::directory_iterator(fs::path(target).parent_path(), absent)) {
    names += " " + entry.path().filename().string();
  }
  return (fs::is_directory(target, absent) ? "<folder>" : test::readBytes(target)) + " |" + names;
}

struct Fault {
  const char* name;
  // Makes the scene in the folder, in the child: the input to read, or the target to save to.
  std::function<std::string(const std::string& dir)> scene;
  // What the system says, at the end of the message.
  const char* why;
  // Then, in the child: a user to become or a limit; returns why not, or nothing.
  std::function<std::string()> restrict = [] { return std::string(); };
  std::size_t titles = 3000;  // about 70 bytes of subtitles each
};

std::string fifo(const std::string& path) {
  fs::create_directories(fs::path(path).parent_path());
  ::mkfifo(path.c_str(), 0666);
  return path;
}

const std::string kOld = "1\n00:00:01,000 --> 00:00:02,000\nOld subtitles\n\n";

const Fault kReadFaults[] = {
    {"input is a FIFO", [](const std::string& d) { return fifo(d + "/pipe.fcpxml"); },
     "not a regular file"},
    {"bundle whose document is a FIFO",
     [](const std::string& d) { return fifo(d + "/P.fcpxmld/Info.fcpxml"), d + "/P.fcpxmld"; },
     "not a regular file"},
    {"input that may not be read, as nobody",
     [](const std::string& d) {
       write(d + "/secret.fcpxml", "<title/>");
       fs::permissions(d + "/secret.fcpxml", fs::perms::owner_read | fs::perms::owner_write);
       return d + "/secret.fcpxml";
     },
     "Permission denied", becomeNobody},
};

const Fault kSaveFaults[] = {
    {"read-only folder, as nobody",
     [](const std::string& d) {
       // The file itself may be written: only the folder says no.
       write(d + "/out/a.srt", kOld);
       fs::permissions(d + "/out/a.srt", fs::perms::all);
       fs::permissions(d + "/out", fs::perms::all & ~fs::perms::owner_write &
                                       ~fs::perms::group_write & ~fs::perms::others_write);
       return d + "/out/a.srt";
     },
     "Permission denied", becomeNobody},
    {"target is a folder",
     [](const std::string& d) { return write(d + "/out/a.srt/keep", "kept"), d + "/out/a.srt"; },
     "Is a directory"},
    {"full file system",
     [](const std::string& d) {
       const std::string why = mountSmallFileSystem(d + "/out", kSmallFileSystem);
       return why.empty() ? (write(d + "/out/a.srt", kOld), d + "/out/a.srt") : "SKIP: " + why;
     },
     "No space left on device"},
    // Small enough to stay in a write buffer until the file is closed: the failure comes late.
    {"full file system, small save",
     [](const std::string& d) {
       const std::string why = mountSmallFileSystem(d + "/out", kSmallFileSystem);
       if (!why.empty()) return "SKIP: " + why;
       write(d + "/out/filler", std::string(kSmallFileSystem - 3 * 4096, 'f'));
       return write(d + "/out/a.srt", kOld), d + "/out/a.srt";
     },
     "No space left on device", [] { return std::string(); }, 150},
    {"file-size limit",
     [](const std::string& d) { return write(d + "/out/a.srt", kOld), d + "/out/a.srt"; },
     "File too large", limitFileSize},
    {"file name too long",
     [](const std::string& d) { return d + "/" + std::string(300, 'n') + ".srt"; },
     "File name too long"},
    {"path too long",
     [](const std::string& d) {
       std::string path = d;
       while (path.size() < 5000) path += "/" + std::string(200, 'd');
       return path + "/a.srt";
     },
     "File name too long"},
};

// Runs the fault in a child: the message, and what changed.
std::string runFault(const Fault& fault, bool save, const std::string& dir) {
  std::string input = dir + "/Project 1.fcpxml";
  std::string document = "<fcpxml><spine>\n";
  for (std::size_t i = 0; i < fault.titles; ++i) {
    document +=
        "<title offset='1s' duration='2s'><text><text-style>A subtitle line of some "
        "length</text-style></text></title>\n";
  }
  write(input, document + "</spine></fcpxml>\n");
  const ChildOutcome child = runInChild(
      [&]() -> std::string {
        const std::string path = fault.scene(dir);
        if (path.starts_with("SKIP: ")) return path;
        if (!save) input = path;
        const std::string target = save ? path : "/dev/null";
        const std::string before = contentOf(target);
        if (std::string why = fault.restrict(); !why.empty()) return "SKIP: " + why;
        const ExtractResult converted = convertChosenDocument(input);
        std::optional<ConversionFailure> failure = converted.failure;
        if (save && !failure) failure = writeSubtitles(target, converted.srt, input);
        const std::string app =
            failure ? localizedDescription(*failure).toStdString() : "no failure";
        const std::string changed =
            save && contentOf(target) != before ? "\nchanged: " + contentOf(target) : "";
        return app + changed;
      },
      60);
  EXPECT_FALSE(child.timedOut) << fault.name << " hung";
  EXPECT_TRUE(child.finished) << fault.name << ": signal " << child.signal << ": " << child.report;
  return child.report;
}

// A fault, met when reading (false) or when saving (true).
using FaultCase = std::pair<const Fault*, bool>;

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.first->name;
}

std::vector<FaultCase> faultCases() {
  std::vector<FaultCase> cases;
  for (const Fault& fault : kReadFaults) cases.emplace_back(&fault, false);
  for (const Fault& fault : kSaveFaults) cases.emplace_back(&fault, true);
  return cases;
}

class Failures : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Failures, TellWhyNamingTheFileHangOnNothingAndLoseNothing) {
  const auto [fault, save] = GetParam();
  std::string dir = (fs::temp_directory_path() / "caplift-failures-XXXXXX").string();
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  fs::permissions(dir, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  const std::string report = runFault(*fault, save, dir);
  test::removeTree(dir);
  if (report.starts_with("SKIP: ")) GTEST_SKIP() << report.substr(6);
  EXPECT_TRUE(report.starts_with(dir) && report.ends_with(std::string(": ") + fault->why))
      << report.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Table, Failures, ::testing::ValuesIn(faultCases()),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                           std::string name = std::string(info.param.second ? "save_" : "read_") +
                                              info.param.first->name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace caplift::testing
