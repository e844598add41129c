#pragma once

#include <QRect>
#include <QRectF>

#include "platform/geometry.h"

namespace caplift::platform::qt {

// The interface measures from the bottom-left with y up; Qt from the top-left with y down. Both
// conversions need the height of the area the rectangle lives in: the primary screen for windows,
// the parent view for views.
QRect toQtRect(const Rect& rect, double containerHeight);
Rect fromQtRect(const QRect& rect, double containerHeight);

}  // namespace caplift::platform::qt

namespace caplift::platform::qt {

// Screen coordinates: the bottom-left of the primary screen is (0, 0). With no screen at all,
// y is measured from the top of the desktop.
QRect screenRectToQt(const Rect& rect);
Rect qtRectToScreen(const QRect& rect);

}  // namespace caplift::platform::qt
