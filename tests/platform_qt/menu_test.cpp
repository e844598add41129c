// The main window and its menu bar: the content area, title and button where asked, the bar above
// them, and its actions and shortcuts reaching the application. Runs that end the application go
// through run().
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

class TestAppDelegate : public ApplicationDelegate {
 public:
  std::function<void()> onLaunch;
  bool terminateAfterLastWindow = false;
  std::vector<std::string> actions;

  void applicationDidFinishLaunching() override {
    if (onLaunch) onLaunch();
  }
  bool applicationShouldTerminateAfterLastWindowClosed() override {
    return terminateAfterLastWindow;
  }
  bool performAction(std::string_view action) override {
    actions.emplace_back(action);
    return true;
  }
};

std::shared_ptr<Menu> applicationMenu() {
  auto main = std::make_shared<Menu>();
  auto appItem = std::make_shared<MenuItem>();
  main->addItem(appItem);
  auto appMenu = std::make_shared<Menu>();
  appMenu->addItemWithTitle("About Caplift", "showAboutWindow", "");
  appMenu->addItem(MenuItem::separatorItem());
  appMenu->addItemWithTitle("Quit caplift", kTerminateAction, "q");
  appItem->setSubmenu(appMenu);
  return main;
}

// Runs the application with `delegate` until it ends; false when it had to be stopped by force.
bool runApplication(TestAppDelegate& delegate) {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  watchdog.start(10000);
  platform().setDelegate(&delegate);
  const bool ended = platform().run() == 0;
  platform().setDelegate(nullptr);
  platform().resetTermination();
  return ended;
}

class QtMenuTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (main_) main_->orderOut();
  }
  // The main window as the application makes it: menu first, then the window, then its button.
  void makeMainWindow(const Rect& content = {200, 200, 400, 200}) {
    platform().setMainMenu(applicationMenu());
    main_ = platform().makeWindow(content, kTitled | kClosable | kMiniaturizable);
    main_->setTitle("Caplift（SRT extractor）");
    main_->makeKeyAndOrderFront();
    auto button = platform().makeButton("Choose FCPXML File…", [this] { ++presses_; });
    button->setFrame({100, 80, 200, 40});
    main_->contentView()->addSubview(button);
  }
  std::shared_ptr<Window> main_;
  int presses_ = 0;
};

TEST_F(QtMenuTest, TheMainWindowShowsItsContentWithTheMenuBarAbove) {
  const Rect screen = *platform().mainScreenFrame();
  const QRect qtScreen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(screen, (Rect{0, 0, double(qtScreen.width()), double(qtScreen.height())}));
  const Rect content{(screen.width - 400) * 0.5, (screen.height - 200) * 0.5, 400, 200};
  makeMainWindow(content);

  QWidget* widget = widgetOf(main_);
  ASSERT_TRUE(waitUntil([&] { return widget->isVisible(); }));
  EXPECT_EQ(widget->windowTitle(), QString::fromUtf8("Caplift（SRT extractor）"));
  // The content keeps its size and place; the window grows by the bar, if it carries one.
  const int bar = menuBarHeight(main_);
  EXPECT_EQ(main_->contentRect(), content);
  EXPECT_EQ(widget->size(), QSize(400, 200 + bar));
  auto* push = widget->findChild<QPushButton*>();
  ASSERT_NE(push, nullptr);
  EXPECT_EQ(push->text(), QString::fromUtf8("Choose FCPXML File…"));
  // (100, 80) from the bottom-left of a 200-high area is 80 from the top.
  EXPECT_EQ(QRect(push->mapTo(widget, QPoint(0, 0)), push->size()), QRect(100, 80 + bar, 200, 40));
  EXPECT_TRUE(push->isVisible());
  push->click();
  EXPECT_EQ(presses_, 1);

  if (qtWindowOf(main_.get()) != platform().mainWindow().get()) {
    GTEST_SKIP() << "another test's window is the main window";
  }
  QMenuBar* menuBar = qtWindowOf(main_.get())->menuBar();
  ASSERT_NE(menuBar, nullptr);
  ASSERT_EQ(menuBar, platform().menuBar());
  EXPECT_EQ(menuBar->parentWidget(), widget);
  EXPECT_EQ(menuBar->geometry(), QRect(0, 0, 400, bar));
  const QList<QAction*> menus = menuBar->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->text(), "Caplift");
  const QList<QAction*> items = menus[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "About Caplift");
  EXPECT_TRUE(items[0]->shortcut().isEmpty());
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->text(), "Quit caplift");
  EXPECT_EQ(items[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

  TestAppDelegate delegate;
  platform().setDelegate(&delegate);
  items[0]->trigger();
  platform().setDelegate(nullptr);
  EXPECT_EQ(delegate.actions, std::vector<std::string>{"showAboutWindow"});
}

// Control-Q from whatever blocks in a loop of its own: the preview's modal loop, an open dialog.
TEST_F(QtMenuTest, ControlQQuitsAtOnceFromAModalWindowOrADialog) {
  const std::function<void()> blockers[] = {
      [] {
        auto preview = platform().makeWindow({0, 0, 600, 400}, kTitled);
        preview->setLevel(WindowLevel::kModalPanel);
        later([preview] {
          // Shortcuts go to the active window; the offscreen platform activates it asynchronously.
          EXPECT_TRUE(QTest::qWaitForWindowActive(widgetOf(preview)));
          EXPECT_EQ(widgetOf(preview)->actions().size(), 1);
          QTest::keyClick(widgetOf(preview), Qt::Key_Q, Qt::ControlModifier);
        });
        platform().runModalForWindow(*preview);
      },
      [] {
        whenShown<QFileDialog>([](QFileDialog& dialog) {
          EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
          QTest::keyClick(&dialog, Qt::Key_Q, Qt::ControlModifier);
        });
        EXPECT_EQ(platform().runOpenPanel({"Choose", {ContentType::xml()}}), std::nullopt);
      },
  };
  for (const auto& block : blockers) {
    TestAppDelegate delegate;
    bool returned = false;
    delegate.onLaunch = [&] {
      makeMainWindow();
      block();
      returned = true;
    };
    EXPECT_TRUE(runApplication(delegate));
    EXPECT_TRUE(returned);
    EXPECT_TRUE(delegate.actions.empty()) << "quitting sends no action";
    main_->orderOut();
  }
}

TEST_F(QtMenuTest, ClosingTheLastWindowEndsTheApplicationWhenTheDelegateSaysSo) {
  TestAppDelegate delegate;
  delegate.terminateAfterLastWindow = true;
  std::shared_ptr<Window> about;
  delegate.onLaunch = [&] {
    makeMainWindow();
    about = platform().makeWindow({0, 0, 400, 250}, kTitled | kClosable);
    about->setLevel(WindowLevel::kFloating);
    about->makeKeyAndOrderFront();
    later([&] {
      widgetOf(main_)->close();
      // The About window still stands, so the application goes on.
      EXPECT_FALSE(platform().isTerminating());
      later([&] { widgetOf(about)->close(); });
    });
  };
  EXPECT_TRUE(runApplication(delegate));
}

}  // namespace
}  // namespace caplift::platform::qt::testing
