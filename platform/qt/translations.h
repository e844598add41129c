#pragma once

#include <QString>
#include <QStringList>

namespace caplift::platform::qt {

// The table for a list of user-interface languages in order of preference ("ja-JP", "zh-Hans-CN",
// "en-US", ...): "ja", "zh_CN" or "en". The first language with a table wins; English when none
// has.
QString translationFor(const QStringList& uiLanguages);

// Makes `table` ("en", "ja", "zh_CN") the application's translations, replacing the previous
// ones. Returns false when the table could not be loaded (the keys then show themselves).
bool installTranslation(const QString& table);

// The lookup of the interface: the text for `key`, or the key itself when the table has none.
QString localizedText(const char* key);

}  // namespace caplift::platform::qt

namespace caplift::platform::qt {

// Removes the installed translations (before the application object goes away).
void removeTranslations();

}  // namespace caplift::platform::qt
