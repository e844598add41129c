#include "platform/qt/geometry_mapping.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace caplift::platform::qt {

namespace {
int toPixels(double value) {
  return static_cast<int>(std::lround(value));
}
}  // namespace

QRect toQtRect(const Rect& rect, double containerHeight) {
  const double top = containerHeight - (rect.y + rect.height);
  return QRect(toPixels(rect.x), toPixels(top), toPixels(rect.width), toPixels(rect.height));
}

Rect fromQtRect(const QRect& rect, double containerHeight) {
  const double y = containerHeight - (rect.y() + rect.height());
  return {double(rect.x()), y, double(rect.width()), double(rect.height())};
}

}  // namespace caplift::platform::qt

namespace caplift::platform::qt {

namespace {
QRect primaryGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}
}  // namespace

QRect screenRectToQt(const Rect& rect) {
  const QRect primary = primaryGeometry();
  return toQtRect(rect, primary.height()).translated(primary.topLeft());
}

Rect qtRectToScreen(const QRect& rect) {
  const QRect primary = primaryGeometry();
  return fromQtRect(rect.translated(-primary.topLeft()), primary.height());
}

}  // namespace caplift::platform::qt
