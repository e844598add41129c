// The shell's tests run on the real widgets, on Qt's offscreen platform unless told otherwise.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's file dialog keeps its state in the user's settings; the tests start from none.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Caplift"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  return RUN_ALL_TESTS();
}
