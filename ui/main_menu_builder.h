#pragma once

#include "platform/platform.h"

namespace caplift {

// Builds the application's one menu (About, a separator, Quit) and installs it as the main menu.
class MainMenuBuilder {
 public:
  MainMenuBuilder() = delete;

  // `delegate` is not used: no item has a target, so each action travels the dispatch chain to
  // the application and then to its delegate.
  static void build(platform::Platform& platform, const platform::ApplicationDelegate* delegate);
};

}  // namespace caplift
