#include "platform/qt/view_node.h"

#include <algorithm>

#include "platform/qt/geometry_mapping.h"

namespace caplift::platform::qt {

ViewNode::ViewNode(QWidget* widget) : widget_(widget) {}

ViewNode::~ViewNode() {
  for (auto& [view, node] : children_) {
    node->parent_ = nullptr;
    // A subview that someone else still holds outlives this one, so it must not go down with
    // this widget.
    if (view.use_count() > 1) node->detach();
  }
  children_.clear();
  if (widget_) {
    widget_->hide();
    // The widget may be in the middle of one of its own event handlers (a button whose action
    // released the window), so it is deleted once control is back in the event loop.
    widget_->deleteLater();
  }
}

void ViewNode::setFrameRect(const Rect& frame) {
  const bool heightChanged = frame.height != frame_.height;
  frame_ = frame;
  applyGeometry();
  if (heightChanged) {
    for (auto& [view, node] : children_) node->placeIn(widget_, frame_.height);
  }
  frameChanged();
}

void ViewNode::addChild(std::shared_ptr<View> view) {
  ViewNode* node = nodeOf(view.get());
  if (!node || node == this) return;
  if (node->parent_) node->parent_->removeChild(node);
  node->parent_ = this;
  node->placeIn(widget_, frame_.height);
  children_.emplace_back(std::move(view), node);
}

void ViewNode::removeChild(ViewNode* node) {
  auto it = std::find_if(children_.begin(), children_.end(),
                         [node](const auto& child) { return child.second == node; });
  if (it == children_.end()) return;
  node->parent_ = nullptr;
  children_.erase(it);
}

void ViewNode::placeIn(QWidget* parent, double parentHeight) {
  if (!widget_) return;
  parentHeight_ = parentHeight;
  placed_ = true;
  if (widget_->parentWidget() != parent) widget_->setParent(parent);
  applyGeometry();
  // Reparenting hides a widget; subviews are visible unless hidden on purpose.
  widget_->show();
}

void ViewNode::detach() {
  placed_ = false;
  if (!widget_) return;
  widget_->hide();
  widget_->setParent(nullptr);
}

void ViewNode::applyGeometry() {
  if (!widget_) return;
  if (placed_) {
    widget_->setGeometry(toQtRect(frame_, parentHeight_));
  } else {
    widget_->resize(toQtRect(frame_, frame_.height).size());
  }
}

ViewNode* nodeOf(View* view) {
  return dynamic_cast<ViewNode*>(view);
}

QtPlainView::QtPlainView(const Rect& frame) : QtViewOf<View>(new QWidget) {
  setFrame(frame);
}

}  // namespace caplift::platform::qt
