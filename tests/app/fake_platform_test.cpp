#include <gtest/gtest.h>

#include <optional>

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"

namespace caplift::testing {
namespace {

using platform::fake::FakePlatform;

TEST(FakeScript, AModalOperationWithoutAStepIsAScriptErrorAndCancels) {
  FakePlatform fake;
  EXPECT_EQ(fake.runOpenPanel({"choose", {}}), std::nullopt);
  auto window = fake.makeWindow({0, 0, 100, 100}, 1);
  fake.runModalForWindow(*window);  // returns instead of waiting forever
  fake.user().chooseFile("/tmp/x.fcpxml");
  EXPECT_EQ(fake.runAlert({"title", "text", {"ok"}}), 0);
  EXPECT_EQ(fake.scriptErrors.size(), 3u);
  EXPECT_EQ(fake.modalDepth(), 0u);
}

TEST(FakeScript, PostedWorkWaitsWhileAStoppedModalLoopIsOnTheStack) {
  FakePlatform fake;
  auto window = fake.makeWindow({0, 0, 100, 100}, 1);
  std::size_t drainedInside = 99;
  window->contentView()->addSubview(fake.makeButton("stop", [&] {
    fake.stopModal();
    fake.postToMainQueue([] {});
    drainedInside = fake.runPostedWork();
  }));
  fake.user().press("stop");
  fake.runModalForWindow(*window);
  EXPECT_EQ(drainedInside, 0u);
  EXPECT_EQ(fake.runPostedWork(), 1u);
}

}  // namespace
}  // namespace caplift::testing
