#include "platform/qt/text_views.h"

#include <QScrollArea>
#include <QScrollBar>

#include "platform/qt/fonts.h"
#include "platform/qt/large_text_view.h"

namespace caplift::platform::qt {

QtTextView::QtTextView(const Rect& frame) : QtViewOf<TextView>(new LargeTextView) {
  setFrame(frame);
}

LargeTextView* QtTextView::textView() const {
  return static_cast<LargeTextView*>(widget());
}

void QtTextView::setFont(const Font& font) {
  if (textView()) textView()->setFont(qtFont(font));
}

void QtTextView::setString(std::string utf8) {
  if (textView()) textView()->setText(std::move(utf8));
}

std::string QtTextView::string() const {
  return textView() ? textView()->text() : std::string();
}

QtScrollView::QtScrollView(const Rect& frame) : QtViewOf<ScrollView>(new QWidget) {
  setFrame(frame);
}

void QtScrollView::setHasVerticalScroller(bool shown) {
  hasVerticalScroller_ = shown;
  fitDocument();
}

void QtScrollView::setDocumentView(std::shared_ptr<View> document) {
  if (document_) {
    if (ViewNode* old = nodeOf(document_.get())) old->detach();
  }
  document_ = std::move(document);
  fitDocument();
}

void QtScrollView::frameChanged() {
  fitDocument();
}

void QtScrollView::fitDocument() {
  ViewNode* node = nodeOf(document_.get());
  if (!node || !node->widget() || !widget()) return;
  const Qt::ScrollBarPolicy vertical =
      hasVerticalScroller_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  const Rect bounds{0, 0, frameRect().width, frameRect().height};
  if (auto* text = dynamic_cast<LargeTextView*>(node->widget())) {
    if (scrollArea_) scrollArea_->hide();
    text->setVerticalScrollBarPolicy(vertical);
    node->setFrameRect(bounds);
    node->placeIn(widget(), bounds.height);
    return;
  }
  if (!scrollArea_) {
    scrollArea_ = new QScrollArea(widget());
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
  }
  scrollArea_->setVerticalScrollBarPolicy(vertical);
  scrollArea_->setGeometry(0, 0, int(bounds.width), int(bounds.height));
  scrollArea_->show();
  if (scrollArea_->widget() != node->widget()) {
    scrollArea_->takeWidget();  // the previous document belongs to its own view
    scrollArea_->setWidget(node->widget());
  }
  node->widget()->resize(int(node->frameRect().width), int(node->frameRect().height));
}

}  // namespace caplift::platform::qt
