#include <memory>

#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QTest>

#include "platform/qt/qt_platform.h"
#include "qt_test_support.h"

namespace caplift::platform::qt::testing {

namespace {

int gArgc = 1;
char gProgram[] = "caplift_platform_qt_tests";
char* gArgv[] = {gProgram, nullptr};
std::unique_ptr<Platform> gPlatform;

// Made when the tests run, not when they are only listed, so listing needs no display.
class PlatformEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { gPlatform = makeQtPlatform(gArgc, gArgv); }
  void TearDown() override { gPlatform.reset(); }
};

}  // namespace

QtPlatform& platform() {
  return static_cast<QtPlatform&>(*gPlatform);
}

bool waitUntil(const std::function<bool()>& done) {
  return QTest::qWaitFor(done, 5000);
}

}  // namespace caplift::platform::qt::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new caplift::platform::qt::testing::PlatformEnvironment);
  return RUN_ALL_TESTS();
}
