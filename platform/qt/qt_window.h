#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMenuBar>
#include <QPointer>

#include "platform/window.h"

class QWidget;

namespace caplift::platform::qt {

class DropOverlay;
class WindowHost;
class WindowWidget;

// A top-level QWidget whose content area is the interface's content rectangle. A menu bar, when
// the window hosts one, sits above the content and the window grows by its height.
class QtWindow final : public Window, public std::enable_shared_from_this<QtWindow> {
 public:
  QtWindow(WindowHost& host, const Rect& contentRect, unsigned styleMask);
  ~QtWindow() override;

  Rect contentRect() const override;
  void setTitle(const std::string& title) override;
  std::string title() const override { return title_; }
  void center() override;
  void makeKeyAndOrderFront() override;
  void orderOut() override;
  bool isVisible() const override;
  void close() override;
  void setLevel(WindowLevel level) override;
  WindowLevel level() const override { return level_; }
  // Memory follows the shared pointers here; the flag changes nothing.
  void setReleasedWhenClosed(bool) override {}
  void setDelegate(WindowDelegate* delegate) override { delegate_ = delegate; }
  unsigned styleMask() const override { return styleMask_; }
  void setStyleMask(unsigned mask) override;
  void setStandardButtonEnabled(StandardButton button, bool enabled) override;
  void setFileDropHandler(std::function<bool(const std::vector<std::string>&)> accepts,
                          std::function<void(const std::vector<std::string>&)> dropped) override;
  std::shared_ptr<View> contentView() override { return content_; }
  void setContentView(std::shared_ptr<View> view) override;

  QWidget* widget() const;
  QMenuBar* menuBar() const { return menuBar_; }
  // Puts `bar` (or nothing) above the content, keeping the content rectangle where it is.
  void setMenuBar(QMenuBar* bar);
  // Shows the window without the interface's bookkeeping side: used by the modal loop too.
  void show();
  void prepareModal(bool modal);

  // Called by the widget.
  void closeRequestedByUser();
  bool dragEntered(const std::vector<std::string>& paths);
  void dragEnded();
  void dropped(const std::vector<std::string>& paths);
  void contentAreaResized();

 private:
  int menuBarHeight() const;
  void applyFlags();
  void applySize();
  void placeContent();
  void applyLevel();

  WindowHost& host_;
  QPointer<WindowWidget> widget_;
  QPointer<QMenuBar> menuBar_;
  QPointer<DropOverlay> overlay_;
  std::shared_ptr<View> content_;
  std::string title_;
  int contentWidth_;
  int contentHeight_;
  unsigned styleMask_;
  unsigned disabledButtons_ = 0;
  WindowLevel level_ = WindowLevel::kNormal;
  WindowDelegate* delegate_ = nullptr;
  bool closing_ = false;
  std::function<bool(const std::vector<std::string>&)> acceptsDrop_;
  std::function<void(const std::vector<std::string>&)> dropped_;
};

QtWindow* qtWindowOf(Window* window);

}  // namespace caplift::platform::qt
