#include "app/main_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>

#include "ui/frames.h"
#include "ui/main_menu_builder.h"

namespace caplift {

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 200;

// The one document a drag carries; nothing when it carries more, or anything else.
std::optional<QString> documentOf(const QMimeData* data) {
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return std::nullopt;
  // A dragged folder may arrive as "…/Project.fcpxmld/".
  const QString path = QDir::cleanPath(urls[0].toLocalFile());
  static const QRegularExpression document(QStringLiteral("/[^/]+\\.(fcpxml|xml|fcpxmld)$"),
                                           QRegularExpression::CaseInsensitiveOption);
  if (!document.match(path).hasMatch()) return std::nullopt;
  return path;
}

}  // namespace

QRectF mainWindowContentRect(std::optional<QSizeF> screen) {
  if (!screen) return {200, 200, kWidth, kHeight};
  return fromBottomLeft((screen->width() - kWidth) * 0.5, (screen->height() - kHeight) * 0.5,
                        kWidth, kHeight, screen->height());
}

MainWindow::MainWindow(const QRectF& contentRect, std::function<bool()> mayOpen,
                       std::function<void(const QString&)> open)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      mayOpen_(std::move(mayOpen)),
      open_(std::move(open)) {
  auto* content = new QWidget;
  content->setFixedSize(kWidth, kHeight);
  setCentralWidget(content);
#ifndef Q_OS_MACOS
  if (QMenuBar* bar = MainMenuBuilder::installedMenuBar()) setMenuBar(bar);
#endif
  // The menu bar goes above the content area, which keeps its place and size.
  const int bar = menuWidget() ? menuWidget()->sizeHint().height() : 0;
  const QPoint at = contentRect.topLeft().toPoint();
  setFixedSize(kWidth, kHeight + bar);
  setGeometry(at.x(), at.y() - bar, kWidth, kHeight + bar);

  setAcceptDrops(true);
  highlight_ = new QLabel(QCoreApplication::translate("Caplift", "Drop to convert"), content);
  highlight_->setObjectName(QStringLiteral("dropHighlight"));
  highlight_->setGeometry(content->rect().adjusted(4, 4, -4, -4));
  highlight_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  highlight_->setStyleSheet(
      QStringLiteral("border: 3px dashed palette(highlight); border-radius: 10px; padding-top: 8px;"
                     "background: rgba(64, 128, 255, 48); font-weight: bold;"));
  highlight_->setAttribute(Qt::WA_TransparentForMouseEvents);
  highlight_->hide();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!mayOpen_() || !documentOf(event->mimeData())) return event->ignore();
  event->acceptProposedAction();
  highlight_->show();
  highlight_->raise();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  event->acceptProposedAction();
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent*) {
  highlight_->hide();
}

void MainWindow::dropEvent(QDropEvent* event) {
  highlight_->hide();
  const std::optional<QString> document = documentOf(event->mimeData());
  if (!mayOpen_() || !document) return event->ignore();
  event->acceptProposedAction();
  // Opening runs dialogs, which must not run inside the drop event while the drag goes on.
  QMetaObject::invokeMethod(
      this, [open = open_, path = *document] { open(path); }, Qt::QueuedConnection);
}

}  // namespace caplift
