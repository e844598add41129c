// The modal loop and the main queue: stopModal ends a loop once the current event has returned, and
// posted work never runs inside a loop that is closing.
#include <gtest/gtest.h>
#include <QEventLoop>
#include <QPushButton>

#include "platform/qt/qt_window.h"
#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

using Log = std::vector<std::string>;

QPushButton* pushButtonIn(const std::shared_ptr<Window>& window) {
  return qtWindowOf(window.get())->widget()->findChild<QPushButton*>();
}

// A preview-like window whose one button stops the modal loop, hides the window and posts the
// answer, as the preview's Save button does.
std::shared_ptr<Window> makeDialog(Log& log) {
  auto dialog = platform().makeWindow({0, 0, 600, 400}, kTitled);
  dialog->setLevel(WindowLevel::kModalPanel);
  auto* raw = dialog.get();
  auto save = platform().makeButton("Save", [&log, raw] {
    log.push_back("click");
    platform().stopModal();
    raw->orderOut();
    platform().postToMainQueue([&log] { log.push_back("answer"); });
    log.push_back("click returned");
  });
  save->setFrame({380, 20, 100, 30});
  dialog->contentView()->addSubview(save);
  return dialog;
}

TEST(QtEventLoopTest, StopModalEndsTheLoopAndTheAnswerWaitsForTheCaller) {
  Log log;
  QEventLoop outer;
  later([&] {
    auto dialog = makeDialog(log);
    later([&log, dialog] {
      EXPECT_TRUE(qtWindowOf(dialog.get())->widget()->isModal());
      EXPECT_EQ(platform().modalDepth(), 1);
      pushButtonIn(dialog)->click();
      log.push_back("event after click");
    });
    platform().runModalForWindow(*dialog);
    log.push_back("modal returned");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(qtWindowOf(dialog.get())->widget()->isModal());
    later([&] { outer.quit(); });
    log.push_back("caller returned");
  });
  outer.exec();
  waitUntil([&] { return log.back() == "answer"; });
  const Log expected = {"click",          "click returned",  "event after click",
                        "modal returned", "caller returned", "answer"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(platform().modalDepth(), 0);
}

TEST(QtEventLoopTest, PostedWorkRunsAfterTheCurrentEventInOrder) {
  Log log;
  later([&] {
    platform().postToMainQueue([&] { log.push_back("first"); });
    platform().postToMainQueue([&] {
      log.push_back("second");
      // Posted from posted work: runs after this item, not inside it.
      platform().postToMainQueue([&] { log.push_back("fourth"); });
      log.push_back("second done");
    });
    platform().postToMainQueue([&] { log.push_back("third"); });
    log.push_back("event done");
  });
  ASSERT_TRUE(waitUntil([&] { return log.size() == 6; }));
  EXPECT_EQ(log, (Log{"event done", "first", "second", "second done", "third", "fourth"}));
}

TEST(QtEventLoopTest, StopModalOutsideAnyLoopDoesNothing) {
  platform().stopModal();
  Log log;
  QEventLoop outer;
  later([&] {
    auto dialog = makeDialog(log);
    later([dialog] { pushButtonIn(dialog)->click(); });
    platform().runModalForWindow(*dialog);
    log.push_back("modal returned");
    outer.quit();
  });
  outer.exec();
  EXPECT_EQ(log.front(), "click");
  EXPECT_TRUE(waitUntil([&] { return log.back() == "answer"; }));
}

TEST(QtEventLoopTest, NestedLoopsStopInnermostFirst) {
  Log log;
  QEventLoop outer;
  later([&] {
    auto first = platform().makeWindow({0, 0, 300, 200}, kTitled);
    auto second = platform().makeWindow({0, 0, 200, 100}, kTitled);
    later([&, second] {
      later([&] {
        platform().stopModal();
        log.push_back("stop inner");
      });
      platform().runModalForWindow(*second);
      log.push_back("inner returned");
      EXPECT_EQ(platform().modalDepth(), 1);
      later([&] {
        platform().stopModal();
        log.push_back("stop outer");
      });
    });
    platform().runModalForWindow(*first);
    log.push_back("outer returned");
    first->orderOut();
    second->orderOut();
    outer.quit();
  });
  outer.exec();
  EXPECT_EQ(log, (Log{"stop inner", "inner returned", "stop outer", "outer returned"}));
}

TEST(QtEventLoopTest, RunsOnTheMainThread) {
  EXPECT_TRUE(platform().isMainThread());
}

}  // namespace
}  // namespace caplift::platform::qt::testing
