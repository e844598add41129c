#pragma once

#include <functional>

#include <QPushButton>
#include <QTemporaryDir>

#include "app/app_delegate.h"
#include "tests/app/scripted_dialogs.h"

namespace caplift::testing {

// A file of tests/app/data.
QString dataFile(const QString& name);
QByteArray bytesOf(const QString& path);

// The application, launched, in a fresh folder; its questions are answered by `dialogs`.
struct LaunchedApp {
  LaunchedApp() {
    dialogs.folder = dir.path();
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
