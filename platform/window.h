#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/view.h"

namespace caplift::platform {

class Window;

class WindowDelegate {
 public:
  virtual ~WindowDelegate() = default;
  // `window` is the closing window; null stands for a notification without an object.
  virtual void windowWillClose(Window* window) = 0;
};

enum class StandardButton { kClose = 0, kMiniaturize = 1, kZoom = 2 };

// A top-level window. The platform keeps a shown window alive until it is closed or ordered out;
// other references are the caller's shared pointers. Windows are compared by identity.
class Window {
 public:
  virtual ~Window() = default;

  virtual Rect contentRect() const = 0;  // screen coordinates, origin bottom-left
  virtual void setTitle(const std::string& title) = 0;
  virtual std::string title() const = 0;
  virtual void center() = 0;
  virtual void makeKeyAndOrderFront() = 0;
  virtual void orderOut() = 0;  // hides the window without closing it
  virtual bool isVisible() const = 0;
  // Closes the window as its close button does: the delegate hears windowWillClose first.
  virtual void close() = 0;
  virtual void setLevel(WindowLevel level) = 0;
  virtual WindowLevel level() const = 0;
  virtual void setReleasedWhenClosed(bool released) = 0;
  virtual void setDelegate(WindowDelegate* delegate) = 0;  // not owned
  virtual unsigned styleMask() const = 0;
  virtual void setStyleMask(unsigned mask) = 0;
  // standardWindowButton + setEnabled; a no-op when the window has no such button.
  virtual void setStandardButtonEnabled(StandardButton button, bool enabled) = 0;
  // Lets the user drop files on the window. While a drag is over it, `accepts` decides from the
  // dragged paths whether the window shows that it takes them; `dropped` receives an accepted drop.
  virtual void setFileDropHandler(
      std::function<bool(const std::vector<std::string>& paths)> accepts,
      std::function<void(const std::vector<std::string>& paths)> dropped) = 0;
  virtual std::shared_ptr<View> contentView() = 0;
  virtual void setContentView(std::shared_ptr<View> view) = 0;
};

}  // namespace caplift::platform
