// The application's save when the file system says no: the user hears why, naming the file, and
// the file that was there is left byte for byte, with no temporary file beside it. The workflow
// runs on the fake platform with the Qt backend's file functions, in a child per fault.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/app_delegate.h"
#include "platform/fake/fake_window.h"
#include "tests/failures/qt_files_platform.h"
#include "tests/failures/save_scene.h"

namespace caplift::testing {
namespace {

// Opens `input`, saves its subtitles to `target` and returns the message of the one alert.
std::string saveThroughTheApp(const std::string& input, const std::string& target) {
  QtFilesPlatform platform;
  std::string scriptErrors;
  platform.onScriptError = [&](const std::string& error) { scriptErrors += error + "\n"; };
  AppDelegate app(platform);
  platform.setDelegate(&app);
  platform.run();
  platform.user().chooseFile(input).press("save_ok").chooseFile(target).dismissAlert();
  auto* choose = static_cast<platform::fake::FakeWindow&>(*app.window).button("choose");
  if (choose == nullptr) return "no button to choose a file";
  choose->press();
  platform.runPostedWork();
  if (!scriptErrors.empty()) return "scripted user: " + scriptErrors;
  if (platform.alerts.size() != 1) return std::to_string(platform.alerts.size()) + " alerts";
  return platform.alerts[0].informativeText;
}

// Long paths cut out of the middle, for the log.
std::string shortened(const std::string& text) {
  if (text.size() <= 200) return text;
  return text.substr(0, 90) + "…" + text.substr(text.size() - 90);
}

TEST(AppSaveFailure, TellsWhyAndLosesNothing) {
  for (const SaveFault& fault : saveFaults()) {
    SCOPED_TRACE(fault.name);
    SharedTempDir dir;
    const std::string input = dir / "Project 1.fcpxml";
    writeBytes(input, exportWithSubtitlesOf(fault.subtitleBytes));
    const std::string report = saveWithFault(
        fault, dir, [&](const std::string& target) { return saveThroughTheApp(input, target); });
    if (report.rfind("SKIP: ", 0) == 0) {
      std::printf("[  NOTICE  ] %s: skipped, %s\n", fault.name, report.c_str() + 6);
      continue;
    }
    const std::size_t split = report.find("\n--\n");
    ASSERT_NE(split, std::string::npos) << report;
    const std::string message = report.substr(0, split);
    std::printf("[  fault   ] %s: %s\n", fault.name, shortened(message).c_str());
    EXPECT_EQ(message.rfind("save_failed: ", 0), 0u) << message;
    EXPECT_EQ(report.substr(split + 4), "");
  }
}

}  // namespace
}  // namespace caplift::testing
