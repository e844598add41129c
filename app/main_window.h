#pragma once

#include <functional>
#include <optional>

#include <QMainWindow>

class QLabel;

namespace caplift {

// Where the main window's 400 x 200 content area goes on a main screen of `screen`'s size:
// centred on a screen whose frame starts at (0, 0), neither rounded nor clamped; (200, 200)
// without a screen.
QRectF mainWindowContentRect(std::optional<QSizeF> screen);

// The main window: its content area at `contentRect`, below the menu bar where the window carries
// one, fixed in size, without a maximise button. It takes a drop of one document (a local
// .fcpxml, .xml or .fcpxmld) and shows a highlight while one is dragged over it.
class MainWindow final : public QMainWindow {
 public:
  // `mayOpen` tells whether a document may be opened now; `open` opens one, from the event loop
  // once the drop is over.
  MainWindow(const QRectF& contentRect, std::function<bool()> mayOpen,
             std::function<void(const QString& path)> open);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QLabel* highlight_;
  std::function<bool()> mayOpen_;
  std::function<void(const QString&)> open_;
};

}  // namespace caplift
