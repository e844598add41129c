#include "ui/preview_window.h"

#include <utility>

namespace caplift {

namespace {

using platform::Rect;

constexpr Rect kWindowRect{0, 0, 600, 400};
constexpr Rect kScrollFrame{20, 70, 560, 300};
constexpr Rect kSaveFrame{380, 20, 100, 30};
constexpr Rect kCancelFrame{20, 20, 100, 30};
constexpr Rect kBackFrame{490, 20, 100, 30};
constexpr double kTextFontSize = 13;

void addButton(platform::Platform& platform, platform::View& content, const std::string& title,
               std::function<void(platform::Button*)> action, const Rect& frame) {
  // The action hands over its own button; the button outlives every press of it.
  auto sender = std::make_shared<platform::Button*>(nullptr);
  auto button = platform.makeButton(title, [sender, action = std::move(action)] {
    if (action) action(*sender);
  });
  *sender = button.get();
  button->setFrame(frame);
  button->setBezelStyle(platform::BezelStyle::kRounded);
  content.addSubview(std::move(button));
}

}  // namespace

std::shared_ptr<platform::Window> PreviewWindowBuilder::build(platform::Platform& platform,
                                                              const std::string& srtText,
                                                              platform::WindowDelegate* delegate,
                                                              PreviewButtonActions actions) {
  // Titled only: the preview ends through its buttons, not from its frame.
  auto window = platform.makeWindow(kWindowRect, platform::StyleMask::kTitled);
  window->center();
  window->setTitle(platform.localizedString("preview", "preview SRT"));
  window->setLevel(platform::WindowLevel::kModalPanel);
  window->setReleasedWhenClosed(false);
  window->setDelegate(delegate);

  auto scroll = platform.makeScrollView(kScrollFrame);
  scroll->setHasVerticalScroller(true);
  auto text = platform.makeTextView(scroll->bounds());
  text->setEditable(false);
  text->setFont({platform::Font::Kind::kMonospacedSystem, kTextFontSize});
  text->setString(srtText);
  scroll->setDocumentView(std::move(text));

  auto content = window->contentView();
  content->addSubview(std::move(scroll));
  addButton(platform, *content, platform.localizedString("save_ok", "Save OK"),
            std::move(actions.save), kSaveFrame);
  addButton(platform, *content, platform.localizedString("cancel", "Cancel"),
            std::move(actions.cancel), kCancelFrame);
  addButton(platform, *content, platform.localizedString("back", "Back"), std::move(actions.back),
            kBackFrame);
  return window;
}

}  // namespace caplift
