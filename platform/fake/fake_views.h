#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/view.h"

namespace caplift::platform::fake {

enum class ViewKind { kView, kButton, kScrollView, kTextView, kLabel, kTextField, kImageView };

const char* viewKindName(ViewKind kind);

// What every fake view records besides its frame. Reach it from a View& with fakeOf().
class FakeViewState {
 public:
  explicit FakeViewState(ViewKind kind) : kind(kind) {}
  virtual ~FakeViewState() = default;

  const ViewKind kind;
  std::vector<std::shared_ptr<View>> subviews;

  // The subview at `index` as a fake of type T; null when there is none or it is another kind.
  template <typename T>
  T* subview(std::size_t index) const {
    return index < subviews.size() ? dynamic_cast<T*>(subviews[index].get()) : nullptr;
  }
};

const FakeViewState* fakeOf(const View& view);

// Frame and subviews for any of the interface's view kinds.
template <typename Interface>
class FakeViewBase : public Interface, public FakeViewState {
 public:
  explicit FakeViewBase(ViewKind kind, const Rect& frame = {})
      : FakeViewState(kind), frame_(frame) {}

  void setFrame(const Rect& frame) override { frame_ = frame; }
  Rect frame() const override { return frame_; }
  void addSubview(std::shared_ptr<View> subview) override {
    subviews.push_back(std::move(subview));
  }

 private:
  Rect frame_;
};

class FakeView : public FakeViewBase<View> {
 public:
  explicit FakeView(const Rect& frame) : FakeViewBase(ViewKind::kView, frame) {}
};

class FakeButton : public FakeViewBase<Button> {
 public:
  FakeButton(std::string title, std::function<void()> action)
      : FakeViewBase(ViewKind::kButton), action_(std::move(action)), title_(std::move(title)) {}

  void setTitle(const std::string& title) override { title_ = title; }
  std::string title() const override { return title_; }
  void setBezelStyle(BezelStyle style) override { bezelStyle = style; }
  // Presses the button as a click does: runs its action.
  void press() const {
    if (action_) action_();
  }

  BezelStyle bezelStyle = BezelStyle::kDefault;

 private:
  std::function<void()> action_;
  std::string title_;
};

class FakeTextView : public FakeViewBase<TextView> {
 public:
  explicit FakeTextView(const Rect& frame) : FakeViewBase(ViewKind::kTextView, frame) {}

  void setEditable(bool value) override { editable = value; }
  void setFont(const Font& value) override { font = value; }
  void setString(std::string utf8) override { text = std::move(utf8); }
  std::string string() const override { return text; }

  bool editable = true;
  std::optional<Font> font;
  std::string text;
};

class FakeScrollView : public FakeViewBase<ScrollView> {
 public:
  explicit FakeScrollView(const Rect& frame) : FakeViewBase(ViewKind::kScrollView, frame) {}

  void setHasVerticalScroller(bool shown) override { hasVerticalScroller = shown; }
  void setDocumentView(std::shared_ptr<View> document) override {
    documentView = std::move(document);
  }

  bool hasVerticalScroller = false;
  std::shared_ptr<View> documentView;
};

// A label starts as static text (not editable, not selectable, no bezel, no background); a field
// made with a frame starts editable, selectable, bezeled and with a background.
class FakeTextField : public FakeViewBase<TextField> {
 public:
  FakeTextField(ViewKind kind, const Rect& frame, std::string text);

  void setStringValue(const std::string& utf8) override {
    text = utf8;
    linkUrl.reset();
  }
  std::string stringValue() const override { return text; }
  void setLinkValue(const std::string& value, const std::string& url) override {
    text = value;
    linkUrl = url;
  }
  void setAlignment(TextAlignment value) override { alignment = value; }
  void setFont(const Font& value) override { font = value; }
  void setEditable(bool value) override { editable = value; }
  void setSelectable(bool value) override { selectable = value; }
  void setBezeled(bool value) override { bezeled = value; }
  void setDrawsBackground(bool value) override { drawsBackground = value; }
  void setAllowsEditingTextAttributes(bool value) override { allowsEditingTextAttributes = value; }

  std::string text;
  std::optional<std::string> linkUrl;
  TextAlignment alignment = TextAlignment::kNatural;
  std::optional<Font> font;  // empty: the platform's standard font
  bool editable;
  bool selectable;
  bool bezeled;
  bool drawsBackground;
  bool allowsEditingTextAttributes = false;
};

// An image "loaded" from a file; remembers where from.
class FakeImage : public Image {
 public:
  explicit FakeImage(std::string path) : path(std::move(path)) {}
  const std::string path;
};

class FakeImageView : public FakeViewBase<ImageView> {
 public:
  explicit FakeImageView(const Rect& frame) : FakeViewBase(ViewKind::kImageView, frame) {}

  void setImage(std::shared_ptr<Image> value) override { image = std::move(value); }
  void setImageScaling(ImageScaling value) override { scaling = value; }

  std::shared_ptr<Image> image;
  ImageScaling scaling = ImageScaling::kProportionallyDown;
};

// The first button titled `title` in the tree under `root` (depth first, scroll views' documents
// included), or null.
FakeButton* findButton(View& root, const std::string& title);

}  // namespace caplift::platform::fake
