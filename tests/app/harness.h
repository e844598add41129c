#pragma once

#include <functional>

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/app_delegate.h"
#include "tests/app/scripted_dialogs.h"

namespace caplift::testing {

// A file of tests/app/data.
QString dataFile(const QString& name);
QByteArray bytesOf(const QString& path);

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

// The preview on screen, or null.
PreviewWindow* shownPreview();
// The windows on screen with this title.
QList<QWidget*> shownWindowsTitled(const QString& title);

// Processes events until `done` holds; false when it never did.
bool waitUntil(const std::function<bool()>& done);

}  // namespace caplift::testing
