#include "ui/about_window_controller.h"

#include <QLabel>
#include <QPixmap>

#include "ui/frames.h"
#include "ui/localized.h"
#include "ui/main_menu_builder.h"

namespace caplift {

namespace {

constexpr double kHeight = 250;

QLabel* addLine(QWidget* window, const QString& text, double y) {
  auto* label = new QLabel(text, window);
  label->setGeometry(fromBottomLeft(0, y, 400, 20, kHeight).toRect());
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

void AboutWindowController::show() {
  // Closable, but neither minimisable nor resizable, and floating above the main window.
  auto* window = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setFixedSize(400, kHeight);
  centreOnScreen(*window);
  window->setWindowTitle(localized("about"));
  window->addActions(MainMenuBuilder::shortcuts());

  // Without its icon the texts keep their places and the space above them stays empty.
  const QPixmap icon(QStringLiteral(":/icons/icon_128.png"));
  if (!icon.isNull()) {
    auto* image = new QLabel(window);
    image->setGeometry(fromBottomLeft(150, 130, 100, 100, kHeight).toRect());
    image->setPixmap(icon.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image->setAlignment(Qt::AlignCenter);
  }

  // The name and version that main() sets; Qt gives the program's file name when no name is set.
  const QString version = QCoreApplication::applicationVersion();
  QLabel* name = addLine(window,
                         QCoreApplication::applicationName() + " v" +
                             (version.isEmpty() ? QStringLiteral("1.0") : version),
                         100);
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPixelSize(14);
  name->setFont(bold);
  name->setTextFormat(Qt::PlainText);

  addLine(window, kCredit, 70);
  QLabel* link = addLine(window, QStringLiteral("<a href=\"%1\">%1</a>").arg(kHomePage), 40);
  link->setTextInteractionFlags(Qt::TextBrowserInteraction);
  link->setOpenExternalLinks(true);

  window->show();
  window->activateWindow();
}

}  // namespace caplift
