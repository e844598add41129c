// The shell's tests run on the real widgets, on Qt's offscreen platform unless told otherwise.
#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's file dialog and the application keep their state in the user's settings; the tests
  // start from none, and leave the user's alone.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Caplift"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  return RUN_ALL_TESTS();
}
