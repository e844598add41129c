#pragma once

#include <functional>

#include <QList>

#include "platform/dialogs.h"

class QAction;

namespace caplift::platform {

// The questions as Qt dialogs, each run with exec(). `shortcuts` gives the menu's shortcuts (Quit),
// which work inside every dialog too.
class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(std::function<QList<QAction*>()> shortcuts);
  std::optional<QString> chooseFile(const QString& title) override;
  std::optional<QString> chooseTarget(const QString& title, const QString& proposedName) override;
  void runAlert(const QString& title, const QString& message, const QString& button) override;

 private:
  std::function<QList<QAction*>()> shortcuts_;
  QString directory_;  // where the last file was chosen; the next dialog starts there
};

}  // namespace caplift::platform
