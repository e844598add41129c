#pragma once

#include <QList>

class QAction;
class QMenuBar;
class QObject;

namespace caplift {

// Builds the application's one menu (About, a separator, Quit) and installs it.
class MainMenuBuilder {
 public:
  MainMenuBuilder() = delete;

  // About calls the delegate's showAboutWindow; Quit (Ctrl+Q, Cmd+Q on macOS) ends the application
  // at once, asking nothing.
  static void build(QObject* delegate);
  // The installed menu bar: on macOS the system's; elsewhere the main window shows it above its
  // content. Null before build().
  static QMenuBar* installedMenuBar();
  // The menu's shortcuts, for every other window to honour as well (dialogs run loops of their
  // own).
  static QList<QAction*> shortcuts();
};

}  // namespace caplift
