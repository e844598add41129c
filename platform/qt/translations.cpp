#include "platform/qt/translations.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace caplift::platform::qt {

namespace {

// The translations live in the resources, next to the icons.
constexpr const char* kTablePrefix = ":/i18n/caplift_";

std::unique_ptr<QTranslator>& appTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

// Qt's own dialogs (file dialog buttons and the like) in the same language, when the system has
// Qt's translations installed.
std::unique_ptr<QTranslator>& qtTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

bool isSimplifiedChinese(const QLocale& locale) {
  if (locale.script() == QLocale::SimplifiedChineseScript) return true;
  if (locale.script() == QLocale::TraditionalChineseScript) return false;
  const QLocale::Territory territory = locale.territory();
  return territory == QLocale::China || territory == QLocale::Singapore ||
         territory == QLocale::AnyTerritory;
}

void replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
  if (slot) QCoreApplication::removeTranslator(slot.get());
  slot = std::move(next);
  if (slot) QCoreApplication::installTranslator(slot.get());
}

}  // namespace

QString translationFor(const QStringList& uiLanguages) {
  for (const QString& name : uiLanguages) {
    const QLocale locale(name);
    switch (locale.language()) {
      case QLocale::English:
        return QStringLiteral("en");
      case QLocale::Japanese:
        return QStringLiteral("ja");
      case QLocale::Chinese:
        // Traditional Chinese readers get the next language on their list.
        if (isSimplifiedChinese(locale)) return QStringLiteral("zh_CN");
        break;
      default:
        break;
    }
  }
  return QStringLiteral("en");
}

bool installTranslation(const QString& table) {
  auto translator = std::make_unique<QTranslator>();
  const bool loaded = translator->load(QString::fromLatin1(kTablePrefix) + table);
  replace(appTranslator(), loaded ? std::move(translator) : nullptr);

  auto qtBase = std::make_unique<QTranslator>();
  const bool qtLoaded = table != QLatin1String("en") &&
                        qtBase->load(QStringLiteral("qtbase_") + table,
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  replace(qtTranslator(), qtLoaded ? std::move(qtBase) : nullptr);
  return loaded;
}

QString localizedText(const char* key) {
  // QCoreApplication::translate gives back the source text, the key, when no table has it.
  return QCoreApplication::translate("Localizable", key);
}

}  // namespace caplift::platform::qt

namespace caplift::platform::qt {

void removeTranslations() {
  replace(appTranslator(), nullptr);
  replace(qtTranslator(), nullptr);
}

}  // namespace caplift::platform::qt
