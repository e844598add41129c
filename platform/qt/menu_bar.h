#pragma once

#include <functional>
#include <string>

#include <QKeySequence>
#include <QList>
#include <QString>

#include "platform/menu.h"

class QAction;
class QMenuBar;

namespace caplift::platform::qt {

// "q" is the platform's command modifier with Q: Ctrl+Q, or Cmd+Q on macOS. An upper-case letter
// adds Shift. An empty key equivalent gives an empty sequence.
QKeySequence keySequenceFor(const std::string& keyEquivalent);

// Fills `bar` with one Qt menu per item of `menu`. A menu without a title (the application menu)
// is titled `applicationName`. Choosing an item calls `perform` with its action.
void fillMenuBar(QMenuBar& bar, const Menu& menu, const QString& applicationName,
                 const std::function<void(const std::string& action)>& perform);

// The actions of `bar` that have a shortcut.
QList<QAction*> shortcutActions(const QMenuBar& bar);

}  // namespace caplift::platform::qt
