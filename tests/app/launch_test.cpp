// Start-up: the menu, the main window and its place, and when the application ends.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "tests/app/app_test_support.h"
#include "ui/main_menu_builder.h"

namespace caplift::testing {
namespace {

using platform::Menu;
using platform::Rect;
using platform::fake::FakeButton;
using platform::fake::FakePlatform;

TEST(AppLaunch, MainWindowCentresOnAScreenOfTheMainScreensSize) {
  struct Case {
    const char* name;
    std::optional<Rect> screen;
    Rect expected;
  };
  const Case cases[] = {
      {"laptop", Rect{0, 0, 1440, 900}, {520, 350, 400, 200}},
      {"full HD", Rect{0, 0, 1920, 1080}, {760, 440, 400, 200}},
      {"narrow gives negative x", Rect{0, 0, 300, 600}, {-50, 200, 400, 200}},
      {"odd size is not rounded", Rect{0, 0, 1367, 769}, {483.5, 284.5, 400, 200}},
      {"frame origin is ignored", Rect{1440, -300, 1440, 900}, {520, 350, 400, 200}},
      {"no screen", std::nullopt, {200, 200, 400, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform fake;
    fake.screenFrame = c.screen;
    AppDelegate app(fake);
    auto& window = launch(fake, app);
    EXPECT_EQ(window.contentRect(), c.expected);
    EXPECT_FALSE(window.centered);
  }
}

TEST_F(AppTest, MainWindowHasItsTitleStyleAndButton) {
  auto& window = mainWindow();
  EXPECT_EQ(window.title(), "Caplift\xEF\xBC\x88SRT extractor\xEF\xBC\x89");
  EXPECT_EQ(window.styleMask(), 7u);
  EXPECT_EQ(window.level(), platform::WindowLevel::kNormal);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.delegate(), nullptr);
  EXPECT_TRUE(window.hasFileDropHandler);
  ASSERT_EQ(window.content().subviews.size(), 1u);
  auto* button = window.content().subview<FakeButton>(0);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->title(), "choose");  // no string table: the key
  EXPECT_EQ(button->frame(), (Rect{100, 80, 200, 40}));
  EXPECT_EQ(button->bezelStyle, platform::BezelStyle::kDefault);
  EXPECT_EQ(fake.windows.size(), 1u);
}

TEST(AppLaunch, ButtonTitleComesFromTheStringTable) {
  FakePlatform fake;
  fake.strings["choose"] = "Choose FCPXML File\u2026";
  AppDelegate app(fake);
  EXPECT_NE(launch(fake, app).button("Choose FCPXML File\u2026"), nullptr);
  ASSERT_FALSE(fake.localizedLookups.empty());
  EXPECT_EQ(fake.localizedLookups.back(),
            (std::pair<std::string, std::string>{"choose", "file open button"}));
}

TEST_F(AppTest, LaunchInstallsTheMenuFirstAndShowsTheWindowBeforeItsButton) {
  const long menu = fake.findCall("setMainMenu");
  ASSERT_GE(menu, 0);
  EXPECT_LT(menu, fake.findCall("makeWindow"));
  EXPECT_LT(fake.findCall("makeWindow"), fake.findCall("makeKeyAndOrderFront"));
  EXPECT_LT(fake.findCall("makeKeyAndOrderFront"), fake.findCall("makeButton"));
  EXPECT_EQ(fake.countCalls("setMainMenu"), 1u);
}

// Every About window is a new one, and one left open keeps the application running.
TEST_F(AppTest, TheApplicationEndsWhenItsLastWindowCloses) {
  ASSERT_TRUE(fake.chooseMenuItem("about"));
  ASSERT_TRUE(fake.chooseMenuItem("about"));
  ASSERT_EQ(fake.windows.size(), 3u);
  EXPECT_NE(fake.windows[1], fake.windows[2]);
  EXPECT_TRUE(fake.windows[1]->isVisible() && fake.windows[2]->isVisible());
  mainWindow().close();
  fake.windows[1]->close();
  EXPECT_FALSE(fake.terminated);
  fake.windows[2]->close();
  EXPECT_TRUE(fake.terminated);
}

// Each entry point refuses, loudly, to run off the main thread. (No temporary folder here: each
// death test runs in a child process that never gets to clean up.)
TEST(AppThreads, EntryPointsAbortOffTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  FakePlatform fake;
  AppDelegate app(fake);
  auto& window = launch(fake, app);
  const std::function<void()> entryPoints[] = {
      [&] { app.handleOKButton(nullptr); },
      [&] { app.handleBackButton(nullptr); },
      [&] { app.handleCancelButton(nullptr); },
      [&] { app.windowWillClose(nullptr); },
      [&] { app.showAboutWindow(); },
      [&] { app.performAction("showAboutWindow"); },
      [&] { app.applicationDidFinishLaunching(); },
      [&] { window.drop({"/nowhere/a.fcpxml"}); },
  };
  for (const auto& call : entryPoints) {
    EXPECT_DEATH(std::thread(call).join(), "off the main thread");
  }
  // The message names the entry point.
  EXPECT_DEATH(std::thread([&] { app.openFile(); }).join(), "openFile called off the main thread");
}

const Menu& applicationMenu(const platform::fake::FakePlatform& fake) {
  static const Menu empty;
  if (!fake.mainMenu || fake.mainMenu->items.size() != 1 || !fake.mainMenu->items[0]->submenu) {
    ADD_FAILURE() << "no single application menu";
    return empty;
  }
  return *fake.mainMenu->items[0]->submenu;
}

TEST_F(AppTest, MenuHoldsOnlyTheApplicationMenuWithAboutSeparatorAndQuit) {
  const Menu& menu = applicationMenu(fake);
  EXPECT_EQ(fake.mainMenu->items[0]->title, "");
  EXPECT_EQ(fake.mainMenu->items[0]->action, "");
  struct Expected {
    const char* title;
    const char* action;
    const char* key;
    bool separator;
  };
  const Expected expected[] = {{"about", "showAboutWindow", "", false},
                               {"", "", "", true},
                               {"Quit caplift", "terminate:", "q", false}};
  ASSERT_EQ(menu.items.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menu.items[i]->title, expected[i].title);
    EXPECT_EQ(menu.items[i]->action, expected[i].action);
    EXPECT_EQ(menu.items[i]->keyEquivalent, expected[i].key);
    EXPECT_EQ(menu.items[i]->isSeparator, expected[i].separator);
    EXPECT_EQ(menu.items[i]->submenu, nullptr);
  }
}

TEST(MainMenu, QuitUsesTheProcessNameAndAboutTheStringTable) {
  platform::fake::FakePlatform fake;
  fake.processNameValue = "Foo";
  fake.infoDictionary["CFBundleName"] = "Bar";
  fake.strings["about"] = "About Caplift";
  MainMenuBuilder::build(fake, nullptr);
  const Menu& menu = applicationMenu(fake);
  ASSERT_EQ(menu.items.size(), 3u);
  EXPECT_EQ(menu.items[0]->title, "About Caplift");
  EXPECT_EQ(menu.items[2]->title, "Quit Foo");
  EXPECT_EQ(fake.localizedLookups, (decltype(fake.localizedLookups){{"about", "About"}}));
}

TEST_F(AppTest, QuitEndsTheApplicationAndUnknownActionsAreNotAnswered) {
  EXPECT_FALSE(app.performAction("openDocument:"));
  EXPECT_FALSE(fake.terminated);
  ASSERT_TRUE(fake.chooseMenuItem("Quit caplift"));
  EXPECT_TRUE(fake.terminated);
}

}  // namespace
}  // namespace caplift::testing
