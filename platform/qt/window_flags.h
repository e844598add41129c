#pragma once

#include <Qt>

namespace caplift::platform::qt {

// The window flags for a style mask. `disabledButtons` holds the style bits whose title-bar
// buttons were disabled: Qt cannot grey a title-bar button, so a disabled one is left out.
Qt::WindowFlags windowFlagsFor(unsigned styleMask, unsigned disabledButtons);

}  // namespace caplift::platform::qt
