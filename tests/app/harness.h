#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_delegate.h"
#include "platform/dialogs.h"

namespace caplift::testing {

// A file of tests/app/data.
inline QString dataFile(const QString& name) {
  return QStringLiteral(CAPLIFT_TEST_DATA "/") + name;
}

inline QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The preview on screen, or null.
inline PreviewWindow* shownPreview() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* preview = dynamic_cast<PreviewWindow*>(window);
    if (preview && preview->isVisible()) return preview;
  }
  return nullptr;
}

// Processes events until `done` holds; false when it never did.
inline bool waitUntil(const std::function<bool()>& done) {
  return QTest::qWaitFor(done, 5000);
}

// Answers the workflow's questions from a script and notes what was asked, one line each:
// "open: TITLE", "save: TITLE | NAME", "alert: TITLE | MESSAGE | BUTTON". The test's folder reads
// "{dir}", a line feed "\n", and a busy cursor still shown while asking adds " [busy cursor]".
class ScriptedDialogs final : public platform::Dialogs {
 public:
  QStringList answers;  // "file NAME", "target NAME", "ok"; anything else cancels
  std::vector<std::string> transcript;
  QString folder;  // where the named files are
  std::function<void()> afterAnswer;

  void note(QString line) {
    if (!folder.isEmpty()) line.replace(folder, "{dir}");
    if (QApplication::overrideCursor()) line += " [busy cursor]";
    transcript.push_back(line.replace('\n', "\\n").toStdString());
  }
  std::optional<QString> chooseFile(const QString& title) override {
    note("open: " + title);
    return pathFrom("file ");
  }
  std::optional<QString> chooseTarget(const QString& title, const QString& name) override {
    note("save: " + title + " | " + name);
    return pathFrom("target ");
  }
  void runAlert(const QString& title, const QString& message, const QString& button) override {
    note("alert: " + title + " | " + message + " | " + button);
    pathFrom("ok");
  }

 private:
  std::optional<QString> pathFrom(const QString& prefix) {
    if (answers.isEmpty()) return note("(no answer left)"), std::nullopt;
    const QString answer = answers.takeFirst();
    if (afterAnswer) afterAnswer();
    if (!answer.startsWith(prefix)) return std::nullopt;
    return folder + '/' + answer.mid(prefix.size());
  }
};

// The application, launched, in a fresh folder; its questions are answered by `dialogs`. A
// `fileGiven` is named as on a command line started in that folder.
struct LaunchedApp {
  explicit LaunchedApp(const QString& fileGiven = {}) {
    dialogs.folder = dir.path();
    if (!fileGiven.isEmpty()) {
      const QString started = QDir::currentPath();
      QDir::setCurrent(dir.path());
      app.applicationOpenFile(fileGiven);
      QDir::setCurrent(started);
    }
    app.applicationDidFinishLaunching();
  }
  QPushButton* chooseButton() const {
    return app.window->centralWidget()->findChild<QPushButton*>();
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  AppDelegate app{dialogs};
};

}  // namespace caplift::testing
