#pragma once

#include <memory>

#include <QLocale>
#include <QTranslator>

#include "convert/conversion_failure.h"

namespace caplift {

// The application's texts in the first of the locale's languages that has them (Japanese,
// Simplified Chinese, English), English when none has; null only when the resources lack them.
std::unique_ptr<QTranslator> loadTranslation(const QLocale& locale);

// The failure's description in the application's language: its reason translated (context
// "Failure") and filled with the same arguments, after the file it names. Without a translation it
// is the description caplift-convert gives.
QString localizedDescription(ConversionFailure failure);

}  // namespace caplift
