#include "platform/qt/window_flags.h"

#include "platform/geometry.h"

namespace caplift::platform::qt {

Qt::WindowFlags windowFlagsFor(unsigned styleMask, unsigned disabledButtons) {
  if (!(styleMask & kTitled)) return Qt::Window | Qt::FramelessWindowHint;
  // CustomizeWindowHint switches off the window manager's default buttons so that only the ones
  // asked for appear.
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  const unsigned shown = styleMask & ~disabledButtons;
  if (shown & kClosable) flags |= Qt::WindowCloseButtonHint;
  if (shown & kMiniaturizable) flags |= Qt::WindowMinimizeButtonHint;
  if (shown & kResizable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace caplift::platform::qt
