// The modal loop and the main queue: stopModal ends a loop once the current event has returned, and
// posted work never runs inside a loop that is closing.
#include <gtest/gtest.h>
#include <QEventLoop>
#include <QPushButton>

#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

using Log = std::vector<std::string>;

// A preview-like window whose one button stops the modal loop, hides the window and posts the
// answer, as the preview's Save button does.
std::shared_ptr<Window> makeDialog(Log& log) {
  auto dialog = platform().makeWindow({0, 0, 600, 400}, kTitled);
  dialog->setLevel(WindowLevel::kModalPanel);
  auto save = platform().makeButton("Save", [&log, raw = dialog.get()] {
    log.push_back("click");
    platform().stopModal();
    raw->orderOut();
    platform().postToMainQueue([&log] { log.push_back("answer"); });
    log.push_back("click returned");
  });
  dialog->contentView()->addSubview(save);
  return dialog;
}

// Runs `work` from inside an event of a loop of its own, and returns once it has.
void runInEvent(const std::function<void(QEventLoop&)>& work) {
  QEventLoop outer;
  later([&] { work(outer); });
  outer.exec();
}

TEST(QtEventLoopTest, StopModalEndsTheLoopAndTheAnswerWaitsForTheCaller) {
  EXPECT_TRUE(platform().isMainThread());
  // Outside any loop this does nothing; above all it must not end the next loop early.
  platform().stopModal();
  Log log;
  runInEvent([&](QEventLoop& outer) {
    auto dialog = makeDialog(log);
    later([&log, dialog] {
      EXPECT_TRUE(widgetOf(dialog)->isModal());
      EXPECT_EQ(platform().modalDepth(), 1);
      widgetOf(dialog)->findChild<QPushButton*>()->click();
      log.push_back("event after click");
    });
    platform().runModalForWindow(*dialog);
    log.push_back("modal returned");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(widgetOf(dialog)->isModal());
    later([&] { outer.quit(); });
    log.push_back("caller returned");
  });
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

TEST(QtEventLoopTest, NestedLoopsStopInnermostFirst) {
  Log log;
  const auto stopLater = [&log](const char* entry) {
    later([&log, entry] {
      platform().stopModal();
      log.push_back(entry);
    });
  };
  runInEvent([&](QEventLoop& outer) {
    auto first = platform().makeWindow({0, 0, 300, 200}, kTitled);
    auto second = platform().makeWindow({0, 0, 200, 100}, kTitled);
    later([&, second] {
      stopLater("stop inner");
      platform().runModalForWindow(*second);
      log.push_back("inner returned");
      EXPECT_EQ(platform().modalDepth(), 1);
      stopLater("stop outer");
    });
    platform().runModalForWindow(*first);
    log.push_back("outer returned");
    first->orderOut();
    second->orderOut();
    outer.quit();
  });
  EXPECT_EQ(log, (Log{"stop inner", "inner returned", "stop outer", "outer returned"}));
}

}  // namespace
}  // namespace caplift::platform::qt::testing
