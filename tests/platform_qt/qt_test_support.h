#pragma once

#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_window.h"

namespace caplift::platform::qt::testing {

// The one platform of the test process (a process has one QApplication).
QtPlatform& platform();

// Runs `work` from the event loop, once whoever called this has gone back to it.
inline void later(std::function<void()> work) {
  QTimer::singleShot(0, qApp, std::move(work));
}

// Processes events until `done` holds or a generous limit passes; false when it never held.
bool waitUntil(const std::function<bool()>& done);

inline QWidget* widgetOf(const std::shared_ptr<Window>& window) {
  return qtWindowOf(window.get())->widget();
}

// The height of the menu bar above a window's content; 0 when it carries none.
inline int menuBarHeight(const std::shared_ptr<Window>& window) {
  QMenuBar* bar = qtWindowOf(window.get())->menuBar();
  return bar ? bar->height() : 0;
}

// The first visible top-level widget of type T, or null.
template <class T>
T* visibleTopLevel() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* match = qobject_cast<T*>(widget); match && match->isVisible()) return match;
  }
  return nullptr;
}

// Runs `act` once `ready` holds, polling from a timer (dialogs run their own loops, so a poll from
// a timer is the way in).
inline void whenReady(std::function<bool()> ready, std::function<void()> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, qApp, [timer, ready, act] {
    if (!ready()) return;
    timer->stop();
    timer->deleteLater();
    act();
  });
  timer->start();
}

// Acts on the first visible T once it appears.
template <class T>
void whenShown(std::function<void(T&)> act) {
  whenReady([] { return visibleTopLevel<T>() != nullptr; }, [act] { act(*visibleTopLevel<T>()); });
}

// Types `name` into a file dialog and accepts it. (Selecting in the list instead races the
// dialog's background listing of the folder, which a test cannot see the end of.)
inline void typeAndAccept(QFileDialog& dialog, const QString& name) {
  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
  QMetaObject::invokeMethod(&dialog, "accept");
}

}  // namespace caplift::platform::qt::testing
