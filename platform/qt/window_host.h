#pragma once

#include <functional>
#include <memory>

class QWindow;

namespace caplift::platform::qt {

class QtWindow;

// What a window needs from the application around it.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Before a window appears: the menu bar and its shortcuts, and the window that a raised window
  // stays above.
  virtual void windowWillShow(QtWindow& window) = 0;
  // The host keeps a shown window alive until it is closed or ordered out.
  virtual void windowShown(std::shared_ptr<QtWindow> window) = 0;
  virtual void windowOrderedOut(QtWindow& window) = 0;
  // After a window has closed; may end the application when it was the last one.
  virtual void windowClosed(QtWindow& window) = 0;
  // The window that floating and modal-panel windows stay above; null when there is none.
  virtual QWindow* levelAnchor(const QtWindow& window) = 0;
  virtual void postToMainQueue(std::function<void()> work) = 0;
};

}  // namespace caplift::platform::qt
