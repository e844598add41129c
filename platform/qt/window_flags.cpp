#include "platform/qt/window_flags.h"

namespace caplift::platform::qt {

Qt::WindowFlags windowFlagsFor(unsigned styleMask, unsigned disabledButtons, WindowLevel level) {
  Qt::WindowFlags flags = level == WindowLevel::kNormal ? Qt::Window : Qt::Dialog;
#ifdef Q_OS_MACOS
  // Qt maps this hint to the floating window level there.
  if (level != WindowLevel::kNormal) flags |= Qt::WindowStaysOnTopHint;
#endif
  if (!(styleMask & kTitled)) return flags | Qt::FramelessWindowHint;
  // CustomizeWindowHint switches off the window manager's default buttons so that only the ones
  // asked for appear.
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  const unsigned shown = styleMask & ~disabledButtons;
  if (shown & kClosable) flags |= Qt::WindowCloseButtonHint;
  if (shown & kMiniaturizable) flags |= Qt::WindowMinimizeButtonHint;
  if (shown & kResizable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace caplift::platform::qt
