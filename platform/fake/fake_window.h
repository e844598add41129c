#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_views.h"
#include "platform/window.h"

namespace caplift::platform::fake {

class FakePlatform;

// A window that records its settings and tells its platform what happens to it (for the call log
// and for ending the application when the last window closes).
class FakeWindow : public Window {
 public:
  FakeWindow(FakePlatform& platform, const Rect& contentRect, unsigned styleMask);

  Rect contentRect() const override { return contentRect_; }
  void setTitle(const std::string& title) override { title_ = title; }
  std::string title() const override { return title_; }
  void center() override;
  void makeKeyAndOrderFront() override;
  void orderOut() override;
  bool isVisible() const override { return visible_; }
  void close() override;
  void setLevel(WindowLevel level) override { level_ = level; }
  WindowLevel level() const override { return level_; }
  void setReleasedWhenClosed(bool released) override { releasedWhenClosed = released; }
  void setDelegate(WindowDelegate* delegate) override { delegate_ = delegate; }
  unsigned styleMask() const override { return styleMask_; }
  void setStyleMask(unsigned mask) override { styleMask_ = mask; }
  void setStandardButtonEnabled(StandardButton button, bool enabled) override {
    standardButtonEnabled[button] = enabled;
  }
  void setFileDropHandler(std::function<bool(const std::vector<std::string>&)> accepts,
                          std::function<void(const std::vector<std::string>&)> dropped) override;
  std::shared_ptr<View> contentView() override { return contentView_; }
  void setContentView(std::shared_ptr<View> view) override { contentView_ = std::move(view); }

  // What a user would see and do.
  WindowDelegate* delegate() const { return delegate_; }
  const FakeViewState& content() const;
  FakeButton* button(const std::string& title);
  // Drags `paths` over the window: whether it shows that it takes them.
  bool dragOver(const std::vector<std::string>& paths) const;
  // Drops `paths` on the window; returns whether the drop was accepted (and delivered).
  bool drop(const std::vector<std::string>& paths);

  bool releasedWhenClosed = true;
  bool centered = false;
  bool closed = false;
  bool hasFileDropHandler = false;
  std::map<StandardButton, bool> standardButtonEnabled;

 private:
  friend class FakePlatform;
  FakePlatform& platform_;
  Rect contentRect_;
  unsigned styleMask_;
  std::string title_;
  bool visible_ = false;
  WindowLevel level_ = WindowLevel::kNormal;
  WindowDelegate* delegate_ = nullptr;
  std::shared_ptr<View> contentView_;
  std::function<bool(const std::vector<std::string>&)> accepts_;
  std::function<void(const std::vector<std::string>&)> dropped_;
};

}  // namespace caplift::platform::fake
