#pragma once

#include <Qt>

#include "platform/geometry.h"

namespace caplift::platform::qt {

// The window flags for a style mask. `disabledButtons` holds the style bits whose title-bar
// buttons were disabled: Qt cannot grey a title-bar button, so a disabled one is left out.
// Raised levels make a dialog: window managers keep a dialog above the window it is transient
// for, which is what those levels promise.
Qt::WindowFlags windowFlagsFor(unsigned styleMask, unsigned disabledButtons, WindowLevel level);

}  // namespace caplift::platform::qt
