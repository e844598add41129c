#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "platform/view.h"

namespace caplift::platform::qt {

// The Qt side shared by every view: its widget, its frame in the parent's bottom-left coordinates,
// and the subviews it keeps alive. Qt measures from the top, so a widget's place depends on its
// parent's height and is recomputed whenever that height changes.
class ViewNode {
 public:
  explicit ViewNode(QWidget* widget);
  virtual ~ViewNode();
  ViewNode(const ViewNode&) = delete;
  ViewNode& operator=(const ViewNode&) = delete;

  QWidget* widget() const { return widget_; }
  const Rect& frameRect() const { return frame_; }
  void setFrameRect(const Rect& frame);
  void addChild(std::shared_ptr<View> view);

  // Puts the widget into `parent`, whose height is `parentHeight`, at the node's frame.
  void placeIn(QWidget* parent, double parentHeight);
  // Takes the widget out of its parent widget (hidden, parentless).
  void detach();

 protected:
  // Called after the frame has changed, once children are placed again.
  virtual void frameChanged() {}

 private:
  void applyGeometry();
  void removeChild(ViewNode* node);

  QPointer<QWidget> widget_;
  Rect frame_;
  ViewNode* parent_ = nullptr;
  double parentHeight_ = 0;
  bool placed_ = false;
  std::vector<std::pair<std::shared_ptr<View>, ViewNode*>> children_;
};

// The node behind a view made by the Qt backend; null for views from elsewhere.
ViewNode* nodeOf(View* view);

// Implements the View part of an interface on top of a ViewNode.
template <class Interface>
class QtViewOf : public Interface, public ViewNode {
 public:
  using ViewNode::ViewNode;
  void setFrame(const Rect& frame) override { setFrameRect(frame); }
  Rect frame() const override { return frameRect(); }
  void addSubview(std::shared_ptr<View> subview) override { addChild(std::move(subview)); }
};

// A plain view: a container with no drawing of its own.
class QtPlainView final : public QtViewOf<View> {
 public:
  explicit QtPlainView(const Rect& frame);
};

}  // namespace caplift::platform::qt
