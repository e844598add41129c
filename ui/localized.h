#pragma once

#include <QCoreApplication>
#include <QString>

namespace caplift {

// The text for a key of the string table ("choose", "save_ok", ...); the key itself when the
// table has no entry.
inline QString localized(const char* key) {
  return QCoreApplication::translate("Localizable", key);
}

}  // namespace caplift
