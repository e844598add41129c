#include "platform/qt/drop_overlay.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace caplift::platform::qt {

std::vector<std::string> localFilePaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    QString path = url.toLocalFile();
    // A dragged folder may arrive as "…/Project.fcpxmld/".
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    paths.push_back(path.toStdString());
  }
  return paths;
}

DropOverlay::DropOverlay(QWidget* window) : QWidget(window) {
  setObjectName(QStringLiteral("caplift_drop_overlay"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
}

void DropOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor accent = palette().color(QPalette::Highlight);
  QColor tint = accent;
  tint.setAlpha(48);
  const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
  painter.setBrush(tint);
  painter.setPen(QPen(accent, 3, Qt::DashLine));
  painter.drawRoundedRect(area, 10, 10);

  QFont font = painter.font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  painter.setFont(font);
  painter.setPen(palette().color(QPalette::WindowText));
  const QString hint = QCoreApplication::translate("Platform", "Drop to convert");
  // The hint sits in the upper part so that it never hides a button in the middle.
  painter.drawText(area.adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop, hint);
}

}  // namespace caplift::platform::qt
