// Real windows on the offscreen platform: their size, close buttons, levels and life span.
#include <gtest/gtest.h>
#include <QLabel>
#include <QWindow>

#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

constexpr unsigned kMainStyle = kTitled | kClosable | kMiniaturizable;

class RecordingWindowDelegate : public WindowDelegate {
 public:
  void windowWillClose(Window* window) override {
    closed.push_back(window);
    visibleWhenTold = window && window->isVisible();
  }
  std::vector<Window*> closed;
  bool visibleWhenTold = false;
};

TEST(QtWindowTest, NotResizableMeansFixedSize) {
  auto fixed = platform().makeWindow({10, 10, 300, 100}, kMainStyle);
  EXPECT_EQ(widgetOf(fixed)->minimumSize(), widgetOf(fixed)->maximumSize());
  auto resizable = platform().makeWindow({10, 10, 300, 100}, kMainStyle | kResizable);
  EXPECT_NE(widgetOf(resizable)->minimumSize(), widgetOf(resizable)->maximumSize());
}

TEST(QtWindowTest, ClosingTellsTheDelegateFirstAndOnlyWhenClosable) {
  RecordingWindowDelegate delegate;
  auto preview = platform().makeWindow({0, 0, 600, 400}, kTitled);
  preview->setDelegate(&delegate);
  preview->makeKeyAndOrderFront();
  EXPECT_FALSE(widgetOf(preview)->windowFlags() & Qt::WindowCloseButtonHint);
  // A close request from the frame (a window manager shortcut) is refused.
  widgetOf(preview)->close();
  EXPECT_TRUE(preview->isVisible());
  EXPECT_TRUE(delegate.closed.empty());
  // Closing it in code works as the close button would.
  preview->close();
  EXPECT_EQ(delegate.closed, std::vector<Window*>{preview.get()});
  EXPECT_TRUE(delegate.visibleWhenTold);
  EXPECT_FALSE(preview->isVisible());

  auto closable = platform().makeWindow({0, 0, 200, 100}, kMainStyle);
  closable->setDelegate(&delegate);
  closable->makeKeyAndOrderFront();
  widgetOf(closable)->close();  // the close button
  EXPECT_EQ(delegate.closed, (std::vector<Window*>{preview.get(), closable.get()}));
  EXPECT_FALSE(closable->isVisible());
}

TEST(QtWindowTest, ADisabledMiniaturizeButtonIsLeftOut) {
  auto about = platform().makeWindow({0, 0, 400, 250}, kTitled | kClosable);
  about->setStyleMask(about->styleMask() | kMiniaturizable);
  const auto minimizeShown = [&] {
    return bool(widgetOf(about)->windowFlags() & Qt::WindowMinimizeButtonHint);
  };
  EXPECT_TRUE(minimizeShown());
  about->setStandardButtonEnabled(StandardButton::kMiniaturize, false);
  EXPECT_FALSE(minimizeShown());
  EXPECT_TRUE(widgetOf(about)->windowFlags() & Qt::WindowCloseButtonHint);
  about->setStandardButtonEnabled(StandardButton::kMiniaturize, true);
  EXPECT_TRUE(minimizeShown());
}

TEST(QtWindowTest, PlatformHoldsAShownWindowUntilItCloses) {
  std::weak_ptr<Window> weak;
  QPointer<QWidget> widget;
  {
    auto about = platform().makeWindow({0, 0, 400, 250}, kTitled | kClosable);
    about->makeKeyAndOrderFront();
    weak = about;
    widget = widgetOf(about);
  }
  ASSERT_FALSE(weak.expired()) << "a shown window nobody else holds must stay";
  EXPECT_TRUE(widget->isVisible());
  widget->close();  // the user's close button
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(waitUntil([&] { return widget.isNull(); })) << "the widget is freed afterwards";

  auto hidden = platform().makeWindow({0, 0, 100, 100}, kTitled);
  weak = hidden;
  hidden->makeKeyAndOrderFront();
  hidden->orderOut();
  hidden.reset();
  EXPECT_TRUE(weak.expired()) << "ordering out drops the platform's reference";
}

TEST(QtWindowTest, RaisedLevelsStayAboveTheMainWindow) {
  auto main = platform().mainWindow();
  std::shared_ptr<Window> ownMain;
  if (!main || !main->isVisible()) {
    ownMain = platform().makeWindow({0, 0, 400, 200}, kMainStyle);
    ownMain->makeKeyAndOrderFront();
  }
  auto floating = platform().makeWindow({0, 0, 400, 250}, kTitled | kClosable);
  floating->setLevel(WindowLevel::kFloating);
  floating->makeKeyAndOrderFront();
  QWindow* parent = widgetOf(floating)->windowHandle()->transientParent();
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent, platform().levelAnchor(*qtWindowOf(floating.get())));
  EXPECT_NE(parent, widgetOf(floating)->windowHandle());
  floating->close();

  auto ordinary = platform().makeWindow({0, 0, 100, 100}, kMainStyle);
  ordinary->makeKeyAndOrderFront();
  EXPECT_EQ(widgetOf(ordinary)->windowHandle()->transientParent(), nullptr);
  ordinary->orderOut();
  if (ownMain) ownMain->orderOut();
}

TEST(QtWindowTest, SubviewsKeepTheirFramesWhenTheContentViewChanges) {
  auto window = platform().makeWindow({0, 0, 600, 400}, kTitled);
  auto content = platform().makeView({0, 0, 600, 400});
  auto label = platform().makeLabel("x");
  label->setFrame({0, 100, 400, 20});
  content->addSubview(label);
  window->setContentView(content);
  QWidget* labelWidget = widgetOf(window)->findChild<QLabel*>();
  ASSERT_NE(labelWidget, nullptr);
  EXPECT_EQ(labelWidget->geometry(), QRect(0, 400 - 120, 400, 20));
  // A new frame height moves the subview so it keeps its distance from the bottom.
  content->setFrame({0, 0, 600, 300});
  EXPECT_EQ(labelWidget->geometry(), QRect(0, 300 - 120, 400, 20));
}

}  // namespace
}  // namespace caplift::platform::qt::testing
