// Inputs that cannot be read, chosen in the open panel: one alert that names the file, no preview,
// and above all no hang on a FIFO. The workflow runs on the fake platform with the Qt backend's
// file functions, in a child with a time limit.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/app_delegate.h"
#include "platform/fake/fake_window.h"
#include "tests/failures/fault_setup.h"
#include "tests/failures/qt_files_platform.h"
#include "tests/hostile/child_process.h"

namespace caplift::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExport =
    "<fcpxml><spine><title offset='1s' duration='2s' name='n'/></spine></fcpxml>\n";

struct ReadFault {
  const char* name;
  // Builds the input under the folder and returns the path the user chooses.
  std::function<std::string(const SharedTempDir&)> scene;
  // Runs in the child after the scene: a user to become.
  std::function<std::string()> restrict = [] { return std::string(); };
  // Runs as the open panel comes up, before the user's choice is taken.
  std::function<void(const std::string& chosen)> meanwhile = [](const std::string&) {};
};

// Chooses `input` in the open panel; returns the alert's message, or what went wrong.
std::string openThroughTheApp(const std::string& input, const ReadFault& fault) {
  QtFilesPlatform platform;
  std::string scriptErrors;
  platform.onScriptError = [&](const std::string& error) { scriptErrors += error + "\n"; };
  AppDelegate app(platform);
  platform.setDelegate(&app);
  platform.run();
  platform.user().inspect([&] { fault.meanwhile(input); }).chooseFile(input).dismissAlert();
  static_cast<platform::fake::FakeWindow&>(*app.window).button("choose")->press();
  platform.runPostedWork();
  if (!scriptErrors.empty()) return "scripted user: " + scriptErrors;
  if (platform.windowTitled("preview") != nullptr) return "a preview was shown";
  if (platform.alerts.size() != 1) return std::to_string(platform.alerts.size()) + " alerts";
  return platform.alerts[0].informativeText;
}

TEST(AppReadFailure, OneAlertNamingTheFileAndNoHang) {
  const ReadFault kFaults[] = {
      {"input removed between choosing and reading",
       [](const SharedTempDir& dir) {
         writeBytes(dir / "gone.fcpxml", kExport);
         return dir / "gone.fcpxml";
       },
       [] { return std::string(); }, [](const std::string& chosen) { fs::remove(chosen); }},
      {"input is a FIFO",
       [](const SharedTempDir& dir) {
         ::mkfifo((dir / "pipe.fcpxml").c_str(), 0666);
         return dir / "pipe.fcpxml";
       }},
      {"bundle whose document is a FIFO",
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "Piped.fcpxmld");
         ::mkfifo((dir / "Piped.fcpxmld/Info.fcpxml").c_str(), 0666);
         return dir / "Piped.fcpxmld";
       }},
      {"bundle without its document",
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "Empty.fcpxmld");
         return dir / "Empty.fcpxmld";
       }},
      {"bundle whose document is a folder",
       [](const SharedTempDir& dir) {
         fs::create_directories(dir / "Odd.fcpxmld/Info.fcpxml");
         return dir / "Odd.fcpxmld";
       }},
      {"input that may not be read, as nobody",
       [](const SharedTempDir& dir) {
         writeBytes(dir / "secret.fcpxml", kExport);
         fs::permissions(dir / "secret.fcpxml", fs::perms::owner_read | fs::perms::owner_write);
         return dir / "secret.fcpxml";
       },
       becomeNobody},
  };
  for (const ReadFault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    SharedTempDir dir;
    const std::string input = fault.scene(dir);
    const ChildOutcome child = runInChild(
        [&] {
          if (std::string why = fault.restrict(); !why.empty()) return "SKIP: " + why;
          return openThroughTheApp(input, fault);
        },
        30);
    ASSERT_FALSE(child.timedOut) << "reading " << input << " hung";
    ASSERT_TRUE(child.finished) << "signal " << child.signal << ": " << child.report;
    if (child.report.rfind("SKIP: ", 0) == 0) {
      std::printf("[  NOTICE  ] %s: skipped, %s\n", fault.name, child.report.c_str() + 6);
      continue;
    }
    std::printf("[  fault   ] %s: %s\n", fault.name, child.report.c_str());
    EXPECT_EQ(child.report.rfind("file_read_fail: ", 0), 0u) << child.report;
    EXPECT_NE(child.report.find(input), std::string::npos) << "names no file: " << child.report;
  }
}

}  // namespace
}  // namespace caplift::testing
