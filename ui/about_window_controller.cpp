#include "ui/about_window_controller.h"

#include <memory>
#include <string>

namespace caplift {

namespace {

using platform::Rect;

constexpr Rect kWindowRect{0, 0, 400, 250};
constexpr Rect kIconFrame{150, 130, 100, 100};
constexpr Rect kNameFrame{0, 100, 400, 20};
constexpr Rect kCreditFrame{0, 70, 400, 20};
constexpr Rect kLinkFrame{0, 40, 400, 20};
constexpr double kNameFontSize = 14;

void addIcon(platform::Platform& platform, platform::View& content) {
  auto path = platform.pathForResource("icon_128", "png");
  if (!path) return;
  auto image = platform.loadImage(*path);
  if (!image) return;  // the texts keep their places; the space above stays empty
  auto icon = platform.makeImageView(kIconFrame);
  icon->setImage(std::move(image));
  icon->setImageScaling(platform::ImageScaling::kProportionallyUpOrDown);
  content.addSubview(std::move(icon));
}

std::string nameAndVersion(const platform::Platform& platform) {
  const std::string name =
      platform.infoDictionaryString("CFBundleName").value_or(platform.processName());
  const std::string version =
      platform.infoDictionaryString("CFBundleShortVersionString").value_or("1.0");
  return name + " v" + version;
}

std::shared_ptr<platform::TextField> makeCenteredLabel(platform::Platform& platform,
                                                       const std::string& text, const Rect& frame) {
  auto label = platform.makeLabel(text);
  label->setFrame(frame);
  label->setAlignment(platform::TextAlignment::kCenter);
  return label;
}

}  // namespace

void AboutWindowController::show(platform::Platform& platform) {
  using platform::StyleMask;

  auto window = platform.makeWindow(kWindowRect, StyleMask::kTitled | StyleMask::kClosable);
  window->center();
  window->setTitle(platform.localizedString("about", "About window title"));
  window->setReleasedWhenClosed(false);
  window->setLevel(platform::WindowLevel::kFloating);
  // Minimisable only so that the button shows, greyed: the window cannot be minimised.
  window->setStyleMask(window->styleMask() | StyleMask::kMiniaturizable);
  window->setStandardButtonEnabled(platform::StandardButton::kMiniaturize, false);

  auto content = platform.makeView(kWindowRect);
  window->setContentView(content);

  addIcon(platform, *content);

  auto name = makeCenteredLabel(platform, nameAndVersion(platform), kNameFrame);
  name->setFont({platform::Font::Kind::kBoldSystem, kNameFontSize});
  content->addSubview(name);

  content->addSubview(makeCenteredLabel(platform, kCredit, kCreditFrame));

  auto link = platform.makeTextField(kLinkFrame);
  link->setEditable(false);
  link->setBezeled(false);
  link->setDrawsBackground(false);
  link->setAllowsEditingTextAttributes(true);
  link->setSelectable(true);
  link->setAlignment(platform::TextAlignment::kCenter);
  link->setLinkValue(kHomePage, kHomePage);
  content->addSubview(link);

  window->makeKeyAndOrderFront();
  platform.activateIgnoringOtherApps();
}

}  // namespace caplift
