#include "bench/forwarding_platform.h"

namespace caplift::bench {

using namespace caplift::platform;

void ForwardingPlatform::setDelegate(ApplicationDelegate* delegate) {
  inner_.setDelegate(delegate);
}
int ForwardingPlatform::run() {
  return inner_.run();
}
void ForwardingPlatform::terminate() {
  inner_.terminate();
}
void ForwardingPlatform::setMainMenu(std::shared_ptr<Menu> menu) {
  inner_.setMainMenu(std::move(menu));
}
void ForwardingPlatform::activateIgnoringOtherApps() {
  inner_.activateIgnoringOtherApps();
}
void ForwardingPlatform::runModalForWindow(Window& window) {
  inner_.runModalForWindow(window);
}
void ForwardingPlatform::stopModal() {
  inner_.stopModal();
}
void ForwardingPlatform::postToMainQueue(std::function<void()> work) {
  inner_.postToMainQueue(std::move(work));
}
bool ForwardingPlatform::isMainThread() const {
  return inner_.isMainThread();
}

std::optional<Rect> ForwardingPlatform::mainScreenFrame() const {
  return inner_.mainScreenFrame();
}
std::shared_ptr<Window> ForwardingPlatform::makeWindow(const Rect& contentRect,
                                                       unsigned styleMask) {
  return inner_.makeWindow(contentRect, styleMask);
}
std::shared_ptr<View> ForwardingPlatform::makeView(const Rect& frame) {
  return inner_.makeView(frame);
}
std::shared_ptr<Button> ForwardingPlatform::makeButton(const std::string& title,
                                                       std::function<void()> action) {
  return inner_.makeButton(title, std::move(action));
}
std::shared_ptr<ScrollView> ForwardingPlatform::makeScrollView(const Rect& frame) {
  return inner_.makeScrollView(frame);
}
std::shared_ptr<TextView> ForwardingPlatform::makeTextView(const Rect& frame) {
  return inner_.makeTextView(frame);
}
std::shared_ptr<TextField> ForwardingPlatform::makeLabel(const std::string& text) {
  return inner_.makeLabel(text);
}
std::shared_ptr<TextField> ForwardingPlatform::makeTextField(const Rect& frame) {
  return inner_.makeTextField(frame);
}
std::shared_ptr<ImageView> ForwardingPlatform::makeImageView(const Rect& frame) {
  return inner_.makeImageView(frame);
}
std::shared_ptr<Image> ForwardingPlatform::loadImage(const std::string& path) {
  return inner_.loadImage(path);
}

std::optional<std::string> ForwardingPlatform::runOpenPanel(const OpenPanelRequest& request) {
  return inner_.runOpenPanel(request);
}
std::optional<std::string> ForwardingPlatform::runSavePanel(const SavePanelRequest& request) {
  return inner_.runSavePanel(request);
}
int ForwardingPlatform::runAlert(const AlertRequest& request) {
  return inner_.runAlert(request);
}

std::string ForwardingPlatform::localizedString(std::string_view key,
                                                std::string_view comment) const {
  return inner_.localizedString(key, comment);
}
std::optional<std::string> ForwardingPlatform::infoDictionaryString(std::string_view key) const {
  return inner_.infoDictionaryString(key);
}
std::optional<std::string> ForwardingPlatform::pathForResource(std::string_view name,
                                                               std::string_view type) const {
  return inner_.pathForResource(name, type);
}
std::string ForwardingPlatform::processName() const {
  return inner_.processName();
}

ReadResult ForwardingPlatform::readUtf8File(const std::string& path) {
  return inner_.readUtf8File(path);
}
WriteResult ForwardingPlatform::writeFileAtomically(const std::string& path,
                                                    std::string_view utf8) {
  return inner_.writeFileAtomically(path, utf8);
}

}  // namespace caplift::bench
