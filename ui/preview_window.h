#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace caplift {

// What the preview's three buttons do; each gets the pressed button.
struct PreviewButtonActions {
  std::function<void(platform::Button* sender)> save;
  std::function<void(platform::Button* sender)> cancel;
  std::function<void(platform::Button* sender)> back;
};

// Builds the modal preview of an SRT text: a read-only, scrolling monospaced text above the
// cancel, save and back buttons. The caller runs it modally.
class PreviewWindowBuilder {
 public:
  PreviewWindowBuilder() = delete;

  static std::shared_ptr<platform::Window> build(platform::Platform& platform,
                                                 const std::string& srtText,
                                                 platform::WindowDelegate* delegate,
                                                 PreviewButtonActions actions);
};

}  // namespace caplift
