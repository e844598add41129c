#include "platform/fake/fake_views.h"

namespace caplift::platform::fake {

const char* viewKindName(ViewKind kind) {
  switch (kind) {
    case ViewKind::kView:
      return "view";
    case ViewKind::kButton:
      return "button";
    case ViewKind::kScrollView:
      return "scroll view";
    case ViewKind::kTextView:
      return "text view";
    case ViewKind::kLabel:
      return "label";
    case ViewKind::kTextField:
      return "text field";
    case ViewKind::kImageView:
      return "image view";
  }
  return "?";
}

const FakeViewState* fakeOf(const View& view) {
  return dynamic_cast<const FakeViewState*>(&view);
}

FakeTextField::FakeTextField(ViewKind kind, const Rect& frame, std::string text)
    : FakeViewBase(kind, frame), text(std::move(text)) {
  const bool isLabel = kind == ViewKind::kLabel;
  editable = !isLabel;
  selectable = !isLabel;
  bezeled = !isLabel;
  drawsBackground = !isLabel;
}

FakeButton* findButton(View& root, const std::string& title) {
  if (auto* button = dynamic_cast<FakeButton*>(&root); button && button->title() == title) {
    return button;
  }
  if (auto* scroll = dynamic_cast<FakeScrollView*>(&root); scroll && scroll->documentView) {
    if (auto* found = findButton(*scroll->documentView, title)) return found;
  }
  if (const FakeViewState* state = fakeOf(root)) {
    for (const auto& child : state->subviews) {
      if (auto* found = findButton(*child, title)) return found;
    }
  }
  return nullptr;
}

}  // namespace caplift::platform::fake
