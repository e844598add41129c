#include "app/translations.h"

#include <QCoreApplication>

namespace caplift {

std::unique_ptr<QTranslator> loadTranslation(const QLocale& locale) {
  auto texts = std::make_unique<QTranslator>();
  // The tables live in the resources, next to the icons.
  if (texts->load(locale, QStringLiteral("caplift"), QStringLiteral("_"),
                  QStringLiteral(":/i18n")) ||
      texts->load(QStringLiteral(":/i18n/caplift_en"))) {
    return texts;
  }
  return nullptr;
}

QString localizedDescription(ConversionFailure failure) {
  const QByteArray reason = QCoreApplication::translate("Failure", failure.reason).toUtf8();
  failure.reason = reason.constData();
  return QString::fromStdString(failure.description());
}

}  // namespace caplift
