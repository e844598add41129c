#include "ui/main_menu_builder.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QPointer>

#include "ui/localized.h"

namespace caplift {

namespace {

QPointer<QMenuBar>& installed() {
  static QPointer<QMenuBar> bar;
  return bar;
}

QPointer<QAction>& quitAction() {
  static QPointer<QAction> quit;
  return quit;
}

QString processName() {
  return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

}  // namespace

void MainMenuBuilder::build(QObject* delegate) {
  // Without a parent: on macOS that is the system menu bar.
  auto* bar = new QMenuBar;
  QMenu* menu = bar->addMenu(QCoreApplication::applicationName());

  QAction* about = menu->addAction(localized("about"));
  about->setMenuRole(QAction::AboutRole);
  QObject::connect(about, &QAction::triggered, delegate,
                   [delegate] { QMetaObject::invokeMethod(delegate, "showAboutWindow"); });
  menu->addSeparator();
  QAction* quit = quitAction() = menu->addAction("Quit " + processName());
  quit->setMenuRole(QAction::QuitRole);
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  // exit(), not quit(): quit() would first ask every window to close.
  QObject::connect(quit, &QAction::triggered, [] { QCoreApplication::exit(0); });

  if (installed() && !installed()->parent()) installed()->deleteLater();
  installed() = bar;
}

QMenuBar* MainMenuBuilder::installedMenuBar() {
  return installed();
}

QList<QAction*> MainMenuBuilder::shortcuts() {
  if (!quitAction()) return {};
  return {quitAction()};
}

}  // namespace caplift
