#include "platform/qt/menu_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace caplift::platform::qt {

namespace {

void fillMenu(QMenu& qmenu, const Menu& menu,
              const std::function<void(const std::string&)>& perform) {
  for (const auto& item : menu.items) {
    if (!item) continue;
    if (item->isSeparator) {
      qmenu.addSeparator();
      continue;
    }
    const QString title = QString::fromStdString(item->title);
    if (item->submenu) {
      fillMenu(*qmenu.addMenu(title), *item->submenu, perform);
      continue;
    }
    QAction* action = qmenu.addAction(title);
    action->setShortcut(keySequenceFor(item->keyEquivalent));
    if (item->action == kTerminateAction) action->setMenuRole(QAction::QuitRole);
    QObject::connect(action, &QAction::triggered, action,
                     [perform, name = item->action] { perform(name); });
  }
}

}  // namespace

QKeySequence keySequenceFor(const std::string& keyEquivalent) {
  if (keyEquivalent.empty()) return {};
  const QString key = QString::fromStdString(keyEquivalent);
  // Qt's Ctrl is the Command key on macOS, as a key equivalent expects.
  const bool shifted = key.size() == 1 && key[0].isUpper();
  return QKeySequence((shifted ? QStringLiteral("Ctrl+Shift+") : QStringLiteral("Ctrl+")) +
                      key.toUpper());
}

void fillMenuBar(QMenuBar& bar, const Menu& menu, const QString& applicationName,
                 const std::function<void(const std::string&)>& perform) {
  // The previous menus go with their actions, so that no stale shortcut stays behind. Deleted
  // later: the menu being replaced may be the one whose action is running.
  for (QMenu* old : bar.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
    old->setParent(nullptr);
    old->deleteLater();
  }
  bar.clear();
  bool first = true;
  for (const auto& item : menu.items) {
    if (!item || item->isSeparator) continue;
    QString title = QString::fromStdString(item->title);
    if (title.isEmpty() && first) title = applicationName;
    first = false;
    QMenu* qmenu = bar.addMenu(title);
    if (item->submenu) fillMenu(*qmenu, *item->submenu, perform);
  }
}

QList<QAction*> shortcutActions(const QMenuBar& bar) {
  QList<QAction*> result;
  for (QAction* action : bar.findChildren<QAction*>()) {
    if (!action->shortcut().isEmpty()) result.append(action);
  }
  return result;
}

}  // namespace caplift::platform::qt
