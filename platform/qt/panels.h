#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QIcon>
#include <QList>
#include <QString>

#include "platform/platform.h"

class QAction;

namespace caplift::platform::qt {

// The file dialog's name filter for a list of allowed types: one filter with every pattern,
// "XML document, FCPXML bundle (*.xml *.fcpxml *.fcpxmld)".
QString nameFilterFor(const std::vector<ContentType>& types);

// A folder whose name ends in one of the package types' extensions (".fcpxmld") is a document of
// its own: choosing it, or trying to enter it, picks it.
bool isPackagePath(const QString& path, const std::vector<ContentType>& types);

// The dialogs, each run application-modal. `directory` is where a file dialog starts; an open
// dialog leaves the folder of the choice in it. `shortcuts` (the menu's, such as Quit) work
// inside the dialog too.
std::optional<std::string> runOpenDialog(const OpenPanelRequest& request, QString& directory,
                                         const QList<QAction*>& shortcuts);
std::optional<std::string> runSaveDialog(const SavePanelRequest& request, const QString& directory,
                                         const QList<QAction*>& shortcuts);
int runAlertBox(const AlertRequest& request, const QIcon& icon, const QList<QAction*>& shortcuts);

}  // namespace caplift::platform::qt
