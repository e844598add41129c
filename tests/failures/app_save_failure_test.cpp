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

TEST(AppSaveFailure, TellsWhyAndLosesNothing) {
  checkEverySaveFault("Project 1.fcpxml", saveThroughTheApp, [](const std::string& message) {
    EXPECT_EQ(message.rfind("save_failed: ", 0), 0u) << message;
  });
}

}  // namespace
}  // namespace caplift::testing
