#pragma once

#include <memory>

#include <QLocale>
#include <QTranslator>

namespace caplift {

// The application's texts in the first of the locale's languages that has them (Japanese,
// Simplified Chinese, English), English when none has; null only when the resources lack them.
std::unique_ptr<QTranslator> loadTranslation(const QLocale& locale);

}  // namespace caplift
