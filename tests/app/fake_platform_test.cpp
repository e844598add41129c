#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/fake/disk_files.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"

namespace caplift::testing {
namespace {

using platform::fake::FakePlatform;
using platform::fake::firstInvalidUtf8Byte;

TEST(FakeFiles, Utf8CheckFindsTheFirstBadByte) {
  struct Case {
    const char* name;
    std::string bytes;
    std::optional<std::size_t> bad;
  };
  const Case cases[] = {
      {"ascii", "plain", std::nullopt},
      {"two to four bytes", "\xC3\xA9 \xE3\x81\x82 \xF0\x9F\x98\x80", std::nullopt},
      {"last code point", "\xF4\x8F\xBF\xBF", std::nullopt},
      {"latin-1", "caf\xE9", 3},
      {"stray continuation", "ab\x80", 2},
      {"overlong two bytes", "\xC0\x80", 0},
      {"overlong three bytes", "x\xE0\x80\x80", 1},
      {"surrogate", "\xED\xA0\x80", 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
      {"cut short", "ok\xE3\x81", 2},
      {"invalid lead", "\xFF", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(firstInvalidUtf8Byte(c.bytes), c.bad) << c.name;
  }
}

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
