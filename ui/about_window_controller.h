#pragma once

#include "platform/platform.h"

namespace caplift {

// The About window: icon, name and version, credit line and the home page as a link. Each call
// makes a new window; the platform keeps it on screen until the user closes it.
class AboutWindowController {
 public:
  AboutWindowController() = delete;

  static constexpr const char* kCredit = "Developed by Velmo";
  static constexpr const char* kHomePage = "https://caplift.app";

  static void show(platform::Platform& platform);
};

}  // namespace caplift
