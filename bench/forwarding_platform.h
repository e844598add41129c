#pragma once

#include "platform/platform.h"

namespace caplift::bench {

// Passes every call on to another platform; a benchmark overrides the few calls it watches or
// answers itself (the open panel, for one).
class ForwardingPlatform : public platform::Platform {
 public:
  explicit ForwardingPlatform(platform::Platform& inner) : inner_(inner) {}

  void setDelegate(platform::ApplicationDelegate* delegate) override;
  int run() override;
  void terminate() override;
  void setMainMenu(std::shared_ptr<platform::Menu> menu) override;
  void activateIgnoringOtherApps() override;
  void runModalForWindow(platform::Window& window) override;
  void stopModal() override;
  void postToMainQueue(std::function<void()> work) override;
  bool isMainThread() const override;

  std::optional<platform::Rect> mainScreenFrame() const override;
  std::shared_ptr<platform::Window> makeWindow(const platform::Rect& contentRect,
                                               unsigned styleMask) override;
  std::shared_ptr<platform::View> makeView(const platform::Rect& frame) override;
  std::shared_ptr<platform::Button> makeButton(const std::string& title,
                                               std::function<void()> action) override;
  std::shared_ptr<platform::ScrollView> makeScrollView(const platform::Rect& frame) override;
  std::shared_ptr<platform::TextView> makeTextView(const platform::Rect& frame) override;
  std::shared_ptr<platform::TextField> makeLabel(const std::string& text) override;
  std::shared_ptr<platform::TextField> makeTextField(const platform::Rect& frame) override;
  std::shared_ptr<platform::ImageView> makeImageView(const platform::Rect& frame) override;
  std::shared_ptr<platform::Image> loadImage(const std::string& path) override;

  std::optional<std::string> runOpenPanel(const platform::OpenPanelRequest& request) override;
  std::optional<std::string> runSavePanel(const platform::SavePanelRequest& request) override;
  int runAlert(const platform::AlertRequest& request) override;

  std::string localizedString(std::string_view key, std::string_view comment) const override;
  std::optional<std::string> infoDictionaryString(std::string_view key) const override;
  std::optional<std::string> pathForResource(std::string_view name,
                                             std::string_view type) const override;
  std::string processName() const override;

  platform::ReadResult readUtf8File(const std::string& path) override;
  platform::WriteResult writeFileAtomically(const std::string& path,
                                            std::string_view utf8) override;

 protected:
  platform::Platform& inner() { return inner_; }

 private:
  platform::Platform& inner_;
};

}  // namespace caplift::bench
