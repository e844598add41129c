#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QToolButton;
class QLabel;
class QPushButton;

namespace caplift {

class LargeTextView;

// The modal preview of an SRT text: the whole text, read-only and scrolling, a line below it that
// says which project the timeline mode placed (or why it would place titles elsewhere), and the
// cancel, save and back buttons with the timeline mode's check box between them. The frame offers
// no way to close, minimise or resize it, and neither Return nor Escape presses a button: only the
// buttons end the preview.
class PreviewWindow final : public QDialog {
 public:
  PreviewWindow(std::shared_ptr<const std::string> srtText, QWidget* parent);

  LargeTextView* textView;
  QPushButton* saveButton;
  QPushButton* cancelButton;
  QPushButton* backButton;
  QCheckBox* timelineBox;
  QCheckBox* stylingBox;
  // Below the text: which project the timeline mode placed, or in the default mode what the
  // timeline would place elsewhere. With several projects the box beside it chooses one.
  QLabel* placement;
  QComboBox* projectBox;
  // Above the text: which elements give cues (titles, captions, both), and a menu of the roles.
  QComboBox* sourceBox;
  QToolButton* rolesButton;
  // Told before the window closes (it can only be closed in code).
  std::function<void(PreviewWindow* closing)> willClose;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}  // Escape answers nothing
};

// The preview's monospaced font: ASCII in a fixed-width Latin face, CJK from a fallback.
QFont previewFont();

}  // namespace caplift
