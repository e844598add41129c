#include "platform/fake/fake_window.h"

#include "platform/fake/fake_platform.h"

namespace caplift::platform::fake {

FakeWindow::FakeWindow(FakePlatform& platform, const Rect& contentRect, unsigned styleMask)
    : platform_(platform),
      contentRect_(contentRect),
      styleMask_(styleMask),
      contentView_(std::make_shared<FakeView>(Rect{0, 0, contentRect.width, contentRect.height})) {}

void FakeWindow::center() {
  centered = true;
  platform_.log("center " + title_);
  if (auto screen = platform_.mainScreenFrame()) {
    contentRect_.x = screen->x + (screen->width - contentRect_.width) / 2;
    contentRect_.y = screen->y + (screen->height - contentRect_.height) / 2;
  }
}

void FakeWindow::makeKeyAndOrderFront() {
  platform_.log("makeKeyAndOrderFront " + title_);
  visible_ = true;
  closed = false;
}

void FakeWindow::orderOut() {
  platform_.log("orderOut " + title_);
  visible_ = false;
}

void FakeWindow::close() {
  platform_.log("close " + title_);
  if (delegate_) delegate_->windowWillClose(this);
  visible_ = false;
  closed = true;
  platform_.windowClosed();
}

void FakeWindow::setFileDropHandler(std::function<bool(const std::vector<std::string>&)> accepts,
                                    std::function<void(const std::vector<std::string>&)> dropped) {
  accepts_ = std::move(accepts);
  dropped_ = std::move(dropped);
  hasFileDropHandler = accepts_ && dropped_;
}

const FakeViewState& FakeWindow::content() const {
  static const FakeView empty{Rect{}};
  const FakeViewState* state = contentView_ ? fakeOf(*contentView_) : nullptr;
  return state ? *state : empty;
}

FakeButton* FakeWindow::button(const std::string& title) {
  return contentView_ ? findButton(*contentView_, title) : nullptr;
}

bool FakeWindow::dragOver(const std::vector<std::string>& paths) const {
  return accepts_ && accepts_(paths);
}

bool FakeWindow::drop(const std::vector<std::string>& paths) {
  platform_.log("drop " + title_);
  if (!dragOver(paths) || !dropped_) return false;
  dropped_(paths);
  return true;
}

}  // namespace caplift::platform::fake
