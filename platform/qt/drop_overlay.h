#pragma once

#include <string>
#include <vector>

#include <QWidget>

class QMimeData;

namespace caplift::platform::qt {

// The local file paths of a drag; empty when the drag carries anything that is not a local file.
std::vector<std::string> localFilePaths(const QMimeData* data);

// Covers a window while an acceptable drag is over it: a tinted, framed area with a hint.
// It lets every mouse event through to the controls beneath.
class DropOverlay final : public QWidget {
 public:
  explicit DropOverlay(QWidget* window);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace caplift::platform::qt
