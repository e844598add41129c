#pragma once

#include <QGuiApplication>
#include <QRectF>
#include <QScreen>
#include <QWidget>

namespace caplift {

// Turns a frame measured from the bottom-left corner of its parent, y upwards (how the layouts in
// this folder give their numbers), into Qt's geometry, which counts from the top-left, y downwards.
constexpr QRectF fromBottomLeft(double x, double y, double width, double height,
                                double parentHeight) {
  return {x, parentHeight - y - height, width, height};
}

// Places a window's content area in the middle of the main screen.
inline void centreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect content(QPoint(), window.size());
  content.moveCenter(screen->availableGeometry().center());
  window.setGeometry(content);
}

}  // namespace caplift
