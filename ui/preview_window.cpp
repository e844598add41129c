#include "ui/preview_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "ui/frames.h"
#include "ui/large_text_view.h"
#include "ui/localized.h"
#include "ui/main_menu_builder.h"

namespace caplift {

namespace {

constexpr double kHeight = 400;

bool coversCjk(const QString& family) {
  const auto systems = QFontDatabase::writingSystems(family);
  return systems.contains(QFontDatabase::Japanese) ||
         systems.contains(QFontDatabase::SimplifiedChinese) ||
         systems.contains(QFontDatabase::TraditionalChinese);
}

// The first fixed-width family that covers CJK, or the first that does not.
QString fixedFamily(bool cjk) {
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(family) && coversCjk(family) == cjk) return family;
  }
  return {};
}

QPushButton* addButton(QWidget* window, const char* key, QRectF frame) {
  // '&' would otherwise mark a mnemonic and vanish from the title.
  auto* button = new QPushButton(localized(key).replace('&', "&&"), window);
  button->setGeometry(frame.toRect());
  button->setAutoDefault(false);
  return button;
}

}  // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<const std::string> srtText, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setFixedSize(600, kHeight);
  centreOnScreen(*this);
  setWindowTitle(localized("preview"));
  addActions(MainMenuBuilder::shortcuts());

  textView = new LargeTextView(this);
  textView->setGeometry(fromBottomLeft(20, 88, 560, 274, kHeight).toRect());
  textView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  textView->setFont(previewFont());
  textView->setText(std::move(srtText));
  textView->setPlaceholderText(localized("no_titles"));

  saveButton = addButton(this, "save_ok", fromBottomLeft(380, 20, 100, 30, kHeight));
  cancelButton = addButton(this, "cancel", fromBottomLeft(20, 20, 100, 30, kHeight));
  backButton = addButton(this, "back", fromBottomLeft(490, 20, 100, 30, kHeight));
  timelineBox = new QCheckBox(QCoreApplication::translate("Caplift", "Timeline timing"), this);
  timelineBox->setGeometry(fromBottomLeft(140, 20, 230, 30, kHeight).toRect());
  timelineBox->setToolTip(QCoreApplication::translate(
      "Caplift",
      "Ticked: each title where the project's timeline shows it, as a finished edit needs.\n"
      "Unticked: each title timed from its own clip, as in the browser."));
  placement = new QLabel(this);
  placement->setGeometry(fromBottomLeft(20, 58, 560, 22, kHeight).toRect());
  placement->setTextFormat(Qt::PlainText);
  // Its left edge is set beside the line's text when it shows.
  projectBox = new QComboBox(this);
  projectBox->setGeometry(fromBottomLeft(200, 58, 260, 22, kHeight).toRect());
  projectBox->hide();

  // The band above the text holds the choices of what to show, and the line below it what was
  // placed or would be placed elsewhere, so the buttons stay as they were; the text gives up the
  // room.
  sourceBox = new QComboBox(this);
  for (const char* kind :
       {QT_TRANSLATE_NOOP("Caplift", "Titles"), QT_TRANSLATE_NOOP("Caplift", "Captions"),
        QT_TRANSLATE_NOOP("Caplift", "Titles and captions")}) {
    sourceBox->addItem(QCoreApplication::translate("Caplift", kind));
  }
  sourceBox->setGeometry(fromBottomLeft(20, 368, 180, 24, kHeight).toRect());
  rolesButton = new QToolButton(this);
  rolesButton->setPopupMode(QToolButton::InstantPopup);
  rolesButton->setMenu(new QMenu(rolesButton));
  rolesButton->setGeometry(fromBottomLeft(210, 368, 180, 24, kHeight).toRect());
  stylingBox = new QCheckBox(QCoreApplication::translate("Caplift", "Keep styling"), this);
  stylingBox->setGeometry(fromBottomLeft(405, 368, 175, 24, kHeight).toRect());
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  // A window manager's close shortcut is refused like the missing close button.
  if (event->spontaneous()) return event->ignore();
  if (willClose) willClose(this);
  event->accept();
}

QFont previewFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // Sized in the frames' unit, as the frames were made for it.
  font.setPixelSize(13);
  // ASCII in a Latin fixed-width face, even inside a line of CJK (Qt would take its digits from
  // the CJK face), and CJK from a CJK face. A CJK fixed font's spaces and Latin letters are not
  // of one width, so a timing line set in one no longer lines up.
  const QString system = QFontInfo(font).family();
  const bool cjk = coversCjk(system);
  QStringList families{cjk ? fixedFamily(false) : system, cjk ? system : fixedFamily(true)};
  families.removeAll(QString());
  font.setFamilies(families);
  return font;
}

}  // namespace caplift
