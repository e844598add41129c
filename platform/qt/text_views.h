#pragma once

#include <memory>
#include <string>

#include "platform/qt/view_node.h"

class QScrollArea;

namespace caplift::platform::qt {

class LargeTextView;

// Plain text for reading: a LargeTextView, which opens tens of megabytes at once. It is always
// read-only; nothing in the application edits text.
class QtTextView final : public QtViewOf<TextView> {
 public:
  explicit QtTextView(const Rect& frame);
  void setEditable(bool) override {}
  void setFont(const Font& font) override;
  void setString(std::string utf8) override;
  std::string string() const override;
  LargeTextView* textView() const;
};

// A container that scrolls its document view. A text view scrolls itself (it is a scroll area),
// so it fills the container and takes over the scroller settings; any other document goes into an
// inner QScrollArea.
class QtScrollView final : public QtViewOf<ScrollView> {
 public:
  explicit QtScrollView(const Rect& frame);
  void setHasVerticalScroller(bool shown) override;
  void setDocumentView(std::shared_ptr<View> document) override;

 protected:
  void frameChanged() override;

 private:
  void fitDocument();

  bool hasVerticalScroller_ = false;
  std::shared_ptr<View> document_;
  QPointer<QScrollArea> scrollArea_;  // a child of the container widget
};

}  // namespace caplift::platform::qt
