#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "platform/qt/qt_application.h"

namespace caplift::platform::qt::testing {

// The one platform of the test process (a process has one QApplication).
QtPlatform& platform();

// Runs `work` from the event loop, once whoever called this has gone back to it.
inline void later(std::function<void()> work) {
  QTimer::singleShot(0, qApp, std::move(work));
}

// Processes events until `done` holds or a generous limit passes; false when it never held.
bool waitUntil(const std::function<bool()>& done);

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

// Acts on the first visible T once it appears (dialogs run their own loops, so a poll from a
// timer is the way in).
template <class T>
void whenShown(std::function<void(T&)> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, qApp, [timer, act] {
    if (T* widget = visibleTopLevel<T>()) {
      timer->stop();
      timer->deleteLater();
      act(*widget);
    }
  });
  timer->start();
}

}  // namespace caplift::platform::qt::testing
