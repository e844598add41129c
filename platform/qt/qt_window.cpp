#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/qt/drop_overlay.h"
#include "platform/qt/geometry_mapping.h"
#include "platform/qt/view_node.h"
#include "platform/qt/window_flags.h"
#include "platform/qt/window_host.h"

namespace caplift::platform::qt {

// The top-level widget; it forwards what the interface cares about to its QtWindow.
class WindowWidget final : public QWidget {
 public:
  QtWindow* owner = nullptr;  // cleared when the QtWindow goes first

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The QtWindow decides and hides the widget itself.
    event->ignore();
    if (owner) owner->closeRequestedByUser();
  }
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (owner && owner->dragEntered(localFilePaths(event->mimeData()))) {
      event->acceptProposedAction();
    } else {
      event->ignore();
    }
  }
  void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
  void dragLeaveEvent(QDragLeaveEvent*) override {
    if (owner) owner->dragEnded();
  }
  void dropEvent(QDropEvent* event) override {
    if (!owner) return;
    owner->dragEnded();
    event->acceptProposedAction();
    owner->dropped(localFilePaths(event->mimeData()));
  }
  void resizeEvent(QResizeEvent*) override {
    if (owner) owner->contentAreaResized();
  }
};

QtWindow::QtWindow(WindowHost& host, const Rect& contentRect, unsigned styleMask)
    : host_(host),
      widget_(new WindowWidget),
      contentWidth_(int(contentRect.width)),
      contentHeight_(int(contentRect.height)),
      styleMask_(styleMask) {
  widget_->owner = this;
  applyFlags();
  applySize();
  widget_->setGeometry(screenRectToQt(contentRect));
  content_ = std::make_shared<QtPlainView>(Rect{0, 0, contentRect.width, contentRect.height});
  placeContent();
}

QtWindow::~QtWindow() {
  if (!widget_) return;
  widget_->owner = nullptr;
  // A content view held elsewhere survives the window.
  if (content_.use_count() > 1) {
    if (ViewNode* node = nodeOf(content_.get())) node->detach();
  }
  widget_->hide();
  widget_->deleteLater();
}

QWidget* QtWindow::widget() const {
  return widget_;
}

int QtWindow::menuBarHeight() const {
  return menuBar_ ? menuBar_->height() : 0;
}

Rect QtWindow::contentRect() const {
  if (!widget_) return {};
  const QRect frame = widget_->geometry();
  const QRect content(frame.x(), frame.y() + menuBarHeight(), contentWidth_, contentHeight_);
  return qtRectToScreen(content);
}

void QtWindow::setTitle(const std::string& title) {
  title_ = title;
  if (widget_) widget_->setWindowTitle(QString::fromStdString(title));
}

void QtWindow::center() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!widget_ || !screen) return;
  const QRect available = screen->availableGeometry();
  // The whole window, frame included, is centred; move() places the frame.
  QRect frame = widget_->frameGeometry();
  frame.moveCenter(available.center());
  widget_->move(frame.topLeft());
}

void QtWindow::makeKeyAndOrderFront() {
  if (!widget_) return;
  host_.windowWillShow(*this);
  show();
  host_.windowShown(shared_from_this());
}

void QtWindow::show() {
  applyLevel();
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void QtWindow::prepareModal(bool modal) {
  if (!widget_) return;
  const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
  if (widget_->windowModality() == wanted) return;
  // Qt takes a new modality only while the window is hidden.
  const bool wasVisible = widget_->isVisible();
  if (wasVisible) widget_->hide();
  widget_->setWindowModality(wanted);
  if (wasVisible) widget_->show();
}

void QtWindow::orderOut() {
  if (!widget_) return;
  widget_->hide();
  host_.windowOrderedOut(*this);
}

bool QtWindow::isVisible() const {
  return widget_ && widget_->isVisible();
}

void QtWindow::close() {
  if (closing_ || !widget_) return;
  // The host may hold the last reference; keep this window until the close is done.
  const auto self = shared_from_this();
  closing_ = true;
  if (delegate_) delegate_->windowWillClose(this);
  widget_->hide();
  closing_ = false;
  host_.windowClosed(*this);
}

void QtWindow::closeRequestedByUser() {
  // Without a close button the window cannot be closed from its frame (a window manager may
  // still offer a shortcut for it).
  if (!((styleMask_ & ~disabledButtons_) & kClosable)) return;
  close();
}

void QtWindow::setStyleMask(unsigned mask) {
  styleMask_ = mask;
  applyFlags();
  applySize();
}

void QtWindow::setStandardButtonEnabled(StandardButton button, bool enabled) {
  unsigned bit = 0;
  switch (button) {
    case StandardButton::kClose:
      bit = kClosable;
      break;
    case StandardButton::kMiniaturize:
      bit = kMiniaturizable;
      break;
    case StandardButton::kZoom:
      bit = kResizable;
      break;
  }
  if (!(styleMask_ & bit)) return;
  disabledButtons_ = enabled ? disabledButtons_ & ~bit : disabledButtons_ | bit;
  applyFlags();
}

void QtWindow::applyFlags() {
  if (!widget_) return;
  const Qt::WindowFlags flags = windowFlagsFor(styleMask_, disabledButtons_, level_);
  if (widget_->windowFlags() == flags) return;
  // Changing the flags of a shown window hides it.
  const bool wasVisible = widget_->isVisible();
  widget_->setWindowFlags(flags);
  if (wasVisible) widget_->show();
}

void QtWindow::applySize() {
  if (!widget_) return;
  const QSize size(contentWidth_, contentHeight_ + menuBarHeight());
  if (styleMask_ & kResizable) {
    widget_->setMinimumSize(0, menuBarHeight());
    widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget_->resize(size);
  } else {
    widget_->setFixedSize(size);
  }
}

void QtWindow::setLevel(WindowLevel level) {
  level_ = level;
  applyFlags();
}

void QtWindow::applyLevel() {
#ifndef Q_OS_MACOS
  if (!widget_ || level_ == WindowLevel::kNormal) return;
  // Transient for the main window: window managers keep it above that window, and only above
  // this application's windows, not above everything on the desktop.
  widget_->winId();  // creates the native window that carries the relation
  QWindow* anchor = host_.levelAnchor(*this);
  if (widget_->windowHandle() && anchor != widget_->windowHandle()) {
    widget_->windowHandle()->setTransientParent(anchor);
  }
#endif
}

void QtWindow::setContentView(std::shared_ptr<View> view) {
  if (!nodeOf(view.get())) return;
  if (content_ != view) {
    if (ViewNode* old = nodeOf(content_.get())) old->detach();
  }
  content_ = std::move(view);
  placeContent();
}

void QtWindow::placeContent() {
  ViewNode* node = nodeOf(content_.get());
  if (!node || !widget_) return;
  node->setFrameRect({0, 0, double(contentWidth_), double(contentHeight_)});
  node->placeIn(widget_, contentHeight_ + menuBarHeight());
  if (menuBar_) menuBar_->raise();
  if (overlay_) {
    overlay_->setGeometry(0, menuBarHeight(), contentWidth_, contentHeight_);
    overlay_->raise();
  }
}

void QtWindow::setMenuBar(QMenuBar* bar) {
  if (!widget_ || bar == menuBar_) return;
  const Rect keep = contentRect();
  if (menuBar_) menuBar_->hide();
  menuBar_ = bar;
  if (bar) {
    bar->setParent(widget_);
    bar->setGeometry(0, 0, contentWidth_, bar->sizeHint().height());
    bar->show();
  }
  applySize();
  // setGeometry places the content area; move() would place the frame around it.
  const QRect content = screenRectToQt(keep);
  widget_->setGeometry(content.x(), content.y() - menuBarHeight(), contentWidth_,
                       contentHeight_ + menuBarHeight());
  placeContent();
}

void QtWindow::contentAreaResized() {
  if (!widget_) return;
  const int width = widget_->width();
  const int height = widget_->height() - menuBarHeight();
  if (width == contentWidth_ && height == contentHeight_) return;
  contentWidth_ = width;
  contentHeight_ = height;
  if (menuBar_) menuBar_->resize(width, menuBar_->height());
  placeContent();
}

void QtWindow::setFileDropHandler(std::function<bool(const std::vector<std::string>&)> accepts,
                                  std::function<void(const std::vector<std::string>&)> dropped) {
  acceptsDrop_ = std::move(accepts);
  dropped_ = std::move(dropped);
  if (!widget_) return;
  widget_->setAcceptDrops(bool(acceptsDrop_));
  if (!overlay_) overlay_ = new DropOverlay(widget_);
  placeContent();
}

bool QtWindow::dragEntered(const std::vector<std::string>& paths) {
  if (paths.empty() || !acceptsDrop_ || !acceptsDrop_(paths)) return false;
  if (overlay_) {
    overlay_->show();
    overlay_->raise();
  }
  return true;
}

void QtWindow::dragEnded() {
  if (overlay_) overlay_->hide();
}

void QtWindow::dropped(const std::vector<std::string>& paths) {
  if (paths.empty() || !dropped_) return;
  // Work that runs dialogs must not run inside the drop event, where the drag is still going on.
  host_.postToMainQueue([handler = dropped_, paths] { handler(paths); });
}

QtWindow* qtWindowOf(Window* window) {
  return dynamic_cast<QtWindow*>(window);
}

}  // namespace caplift::platform::qt
