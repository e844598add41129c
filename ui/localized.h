#pragma once

#include <QCoreApplication>
#include <QString>

namespace caplift {

// The keys of the string table, marked for lupdate, which cannot see through localized().
inline constexpr const char* kLocalizedKeys[] = {
    //: file open button
    QT_TRANSLATE_NOOP("Localizable", "choose"),
    //: file read fail
    QT_TRANSLATE_NOOP("Localizable", "file_read_fail"),
    //: file parse fail
    QT_TRANSLATE_NOOP("Localizable", "file_parse_fail"),
    //: file save
    QT_TRANSLATE_NOOP("Localizable", "save_file"),
    //: file saved
    QT_TRANSLATE_NOOP("Localizable", "save_finish"),
    //: save failed
    QT_TRANSLATE_NOOP("Localizable", "save_failed"),
    //: notification
    QT_TRANSLATE_NOOP("Localizable", "alert_notify"),
    //: OK
    QT_TRANSLATE_NOOP("Localizable", "ok"),
    //: preview SRT
    QT_TRANSLATE_NOOP("Localizable", "preview"),
    //: Save OK
    QT_TRANSLATE_NOOP("Localizable", "save_ok"),
    //: Cancel
    QT_TRANSLATE_NOOP("Localizable", "cancel"),
    //: Back / Back Button
    QT_TRANSLATE_NOOP("Localizable", "back"),
    //: About / About window title
    QT_TRANSLATE_NOOP("Localizable", "about"),
    //: document holds no titles / preview placeholder
    QT_TRANSLATE_NOOP("Localizable", "no_titles"),
};

// The text for a key of the string table ("choose", "save_ok", ...); the key itself when the
// table has no entry.
inline QString localized(const char* key) {
  return QCoreApplication::translate("Localizable", key);
}

}  // namespace caplift
