#pragma once

namespace caplift {

// The About window: icon, name and version, credit line and the home page as a link. Each call
// makes a new window, centred on the screen and above the application's windows; it lives until
// the user closes it.
class AboutWindowController {
 public:
  AboutWindowController() = delete;

  static constexpr const char* kCredit = "Developed by Velmo";
  static constexpr const char* kHomePage = "https://caplift.app";

  static void show();
};

}  // namespace caplift
