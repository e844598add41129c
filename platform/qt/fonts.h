#pragma once

#include <QFont>

#include "platform/geometry.h"

namespace caplift::platform::qt {

// The system fonts by kind; a point size of 0 keeps the kind's default size.
QFont qtFont(const Font& font);

// The Qt alignment for a text alignment, vertically centred as a one-line field draws.
Qt::Alignment qtAlignment(TextAlignment alignment);

}  // namespace caplift::platform::qt
