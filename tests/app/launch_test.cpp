#include <gtest/gtest.h>

#include <thread>

#include "tests/app/app_test_support.h"

namespace caplift::testing {
namespace {

using platform::Rect;
using platform::fake::FakeButton;
using platform::fake::FakePlatform;

struct ScreenCase {
  const char* name;
  std::optional<Rect> screen;
  Rect expected;
};

class MainWindowPlacement : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(MainWindowPlacement, CentresOnAScreenOfTheMainScreensSize) {
  FakePlatform fake;
  fake.screenFrame = GetParam().screen;
  AppDelegate app(fake);
  fake.setDelegate(&app);
  fake.run();

  auto& window = static_cast<platform::fake::FakeWindow&>(*app.window);
  EXPECT_EQ(window.contentRect(), GetParam().expected);
  EXPECT_FALSE(window.centered);
  ASSERT_EQ(window.content().subviews.size(), 1u);
  EXPECT_EQ(window.content().subviews[0]->frame(), (Rect{100, 80, 200, 40}));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, MainWindowPlacement,
    ::testing::Values(
        ScreenCase{"Laptop", Rect{0, 0, 1440, 900}, {520, 350, 400, 200}},
        ScreenCase{"FullHd", Rect{0, 0, 1920, 1080}, {760, 440, 400, 200}},
        ScreenCase{"NarrowGivesNegativeX", Rect{0, 0, 300, 600}, {-50, 200, 400, 200}},
        ScreenCase{"OddSizeIsNotRounded", Rect{0, 0, 1367, 769}, {483.5, 284.5, 400, 200}},
        ScreenCase{"FrameOriginIsIgnored", Rect{1440, -300, 1440, 900}, {520, 350, 400, 200}},
        ScreenCase{"NoScreen", std::nullopt, {200, 200, 400, 200}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, MainWindowHasItsTitleStyleAndButton) {
  auto& window = mainWindow();
  EXPECT_EQ(window.title(), "Caplift\xEF\xBC\x88SRT extractor\xEF\xBC\x89");
  EXPECT_EQ(window.styleMask(), 7u);
  EXPECT_EQ(window.level(), platform::WindowLevel::kNormal);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.delegate(), nullptr);
  EXPECT_TRUE(window.hasFileDropHandler);

  auto* button = window.content().subview<FakeButton>(0);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->title(), "choose");  // no string table: the key
  EXPECT_EQ(button->bezelStyle, platform::BezelStyle::kDefault);
  EXPECT_EQ(fake.windows.size(), 1u);
}

TEST(AppLaunch, ButtonTitleComesFromTheStringTable) {
  FakePlatform fake;
  fake.strings["choose"] = "Choose FCPXML File\u2026";
  AppDelegate app(fake);
  fake.setDelegate(&app);
  fake.run();
  auto& window = static_cast<platform::fake::FakeWindow&>(*app.window);
  EXPECT_NE(window.button("Choose FCPXML File\u2026"), nullptr);
  ASSERT_FALSE(fake.localizedLookups.empty());
  EXPECT_EQ(fake.localizedLookups.back(),
            (std::pair<std::string, std::string>{"choose", "file open button"}));
}

TEST_F(AppTest, LaunchInstallsTheMenuFirstAndShowsTheWindowBeforeItsButton) {
  const long menu = fake.findCall("setMainMenu");
  const long made = fake.findCall("makeWindow");
  const long shown = fake.findCall("makeKeyAndOrderFront");
  const long button = fake.findCall("makeButton");
  ASSERT_GE(menu, 0);
  EXPECT_LT(menu, made);
  EXPECT_LT(made, shown);
  EXPECT_LT(shown, button);
  EXPECT_EQ(fake.countCalls("setMainMenu"), 1u);
}

TEST_F(AppTest, ClosingTheLastWindowEndsTheApplication) {
  EXPECT_TRUE(app.applicationShouldTerminateAfterLastWindowClosed());
  mainWindow().close();
  EXPECT_TRUE(fake.terminated);
}

TEST_F(AppTest, AnAboutWindowLeftOpenKeepsTheApplicationRunning) {
  ASSERT_TRUE(fake.chooseMenuItem("about"));
  mainWindow().close();
  EXPECT_FALSE(fake.terminated);
  fake.windows.back()->close();
  EXPECT_TRUE(fake.terminated);
}

// Each entry point refuses, loudly, to run off the main thread. (No temporary folder here: each
// death test runs in a child process that never gets to clean up.)
TEST(AppThreads, EntryPointsAbortOffTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  FakePlatform fake;
  AppDelegate app(fake);
  fake.setDelegate(&app);
  fake.run();
  auto& window = static_cast<platform::fake::FakeWindow&>(*app.window);
  auto offMain = [](auto call) {
    std::thread thread(call);
    thread.join();
  };
  EXPECT_DEATH(offMain([&] { app.openFile(); }), "openFile called off the main thread");
  EXPECT_DEATH(offMain([&] { app.handleOKButton(nullptr); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { app.handleBackButton(nullptr); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { app.handleCancelButton(nullptr); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { app.windowWillClose(nullptr); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { app.showAboutWindow(); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { app.performAction("showAboutWindow"); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { app.applicationDidFinishLaunching(); }), "off the main thread");
  EXPECT_DEATH(offMain([&] { window.drop({"/nowhere/a.fcpxml"}); }), "off the main thread");
}

}  // namespace
}  // namespace caplift::testing
