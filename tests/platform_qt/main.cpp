#include <memory>

#include <gtest/gtest.h>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTest>
#include <QTimer>

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

// A test that drives dialogs from timers can wait forever if the dialog never gets the expected
// input. After a generous limit this fails the test and rejects whatever modal window is up, so a
// fault shows as a failure naming the window instead of a hung suite.
class ModalWatchdog : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    const int generation = ++generation_;
    QTimer::singleShot(20000, qApp, [this, generation] { rescue(generation); });
  }
  void OnTestEnd(const ::testing::TestInfo&) override { ++generation_; }

 private:
  void rescue(int generation) {
    if (generation != generation_) return;
    QWidget* modal = QApplication::activeModalWidget();
    ADD_FAILURE() << "the test hung; closing "
                  << (modal ? modal->metaObject()->className() : "no modal window");
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    QTimer::singleShot(1000, qApp, [this, generation] { rescue(generation); });
  }

  int generation_ = 0;
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
  ::testing::UnitTest::GetInstance()->listeners().Append(
      new caplift::platform::qt::testing::ModalWatchdog);
  return RUN_ALL_TESTS();
}
