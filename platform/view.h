#pragma once

#include <memory>
#include <string>

#include "platform/geometry.h"

namespace caplift::platform {

// A view in a window. Frames are in the parent's coordinates (origin bottom-left), fixed, and never
// autoresized.
class View {
 public:
  virtual ~View() = default;
  virtual void setFrame(const Rect& frame) = 0;
  virtual Rect frame() const = 0;
  // The view's own coordinate space: (0, 0, width, height).
  Rect bounds() const { return {0, 0, frame().width, frame().height}; }
  virtual void addSubview(std::shared_ptr<View> subview) = 0;
};

enum class BezelStyle : int { kDefault = 0, kRounded = 1 };

// A push button. Pressing it calls the action it was made with.
class Button : public View {
 public:
  virtual void setTitle(const std::string& title) = 0;
  virtual std::string title() const = 0;
  virtual void setBezelStyle(BezelStyle style) = 0;
};

// Multi-line text that the user can scroll and select. It must stay fast on texts of tens of
// megabytes.
class TextView : public View {
 public:
  virtual void setEditable(bool editable) = 0;
  virtual void setFont(const Font& font) = 0;
  virtual void setString(std::string utf8) = 0;
  virtual std::string string() const = 0;
};

class ScrollView : public View {
 public:
  virtual void setHasVerticalScroller(bool shown) = 0;
  virtual void setDocumentView(std::shared_ptr<View> document) = 0;
};

// A one-line text field: a static label, or a selectable field that may show a link.
class TextField : public View {
 public:
  virtual void setStringValue(const std::string& utf8) = 0;
  virtual std::string stringValue() const = 0;
  // Shows `text` as a link to `url`; clicking it opens the URL in the default browser.
  virtual void setLinkValue(const std::string& text, const std::string& url) = 0;
  virtual void setAlignment(TextAlignment alignment) = 0;
  virtual void setFont(const Font& font) = 0;
  virtual void setEditable(bool editable) = 0;
  virtual void setSelectable(bool selectable) = 0;
  virtual void setBezeled(bool bezeled) = 0;
  virtual void setDrawsBackground(bool draws) = 0;
  virtual void setAllowsEditingTextAttributes(bool allows) = 0;
};

// An image loaded from a file; null when the file is missing or no readable image.
class Image {
 public:
  virtual ~Image() = default;
};

enum class ImageScaling : int { kProportionallyDown = 0, kAxesIndependently = 1, kNone = 2,
                                kProportionallyUpOrDown = 3 };

class ImageView : public View {
 public:
  virtual void setImage(std::shared_ptr<Image> image) = 0;
  virtual void setImageScaling(ImageScaling scaling) = 0;
};

}  // namespace caplift::platform
