#include "tests/app/harness.h"

#include <QFile>
#include <QTest>

namespace caplift::testing {

QString dataFile(const QString& name) {
  return QStringLiteral(CAPLIFT_TEST_DATA "/") + name;
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

PreviewWindow* shownPreview() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* preview = dynamic_cast<PreviewWindow*>(window);
    if (preview && preview->isVisible()) return preview;
  }
  return nullptr;
}

QList<QWidget*> shownWindowsTitled(const QString& title) {
  QList<QWidget*> windows;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window->windowTitle() == title) windows.append(window);
  return windows;
}

bool waitUntil(const std::function<bool()>& done) {
  return QTest::qWaitFor(done, 5000);
}

}  // namespace caplift::testing
