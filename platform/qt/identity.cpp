#include "platform/qt/identity.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifndef CAPLIFT_VERSION
#error "CAPLIFT_VERSION must come from the build"
#endif

namespace caplift::platform::qt {

std::optional<std::string> infoDictionaryValue(std::string_view key) {
  if (key == "CFBundleName" || key == "CFBundleDisplayName") return kApplicationName;
  if (key == "CFBundleShortVersionString" || key == "CFBundleVersion") return CAPLIFT_VERSION;
  if (key == "CFBundleIdentifier") return "org.caplift.Caplift";
  return std::nullopt;
}

std::optional<std::string> resourcePath(std::string_view name, std::string_view type) {
  if (name.empty()) return std::nullopt;
  QString path =
      QStringLiteral(":/icons/") + QString::fromUtf8(name.data(), qsizetype(name.size()));
  if (!type.empty()) path += '.' + QString::fromUtf8(type.data(), qsizetype(type.size()));
  if (!QFile::exists(path)) return std::nullopt;
  return path.toStdString();
}

std::string runningProcessName() {
  const QString file = QCoreApplication::applicationFilePath();
  if (!file.isEmpty()) return QFileInfo(file).fileName().toStdString();
  const QStringList arguments = QCoreApplication::arguments();
  return arguments.isEmpty() ? std::string()
                             : QFileInfo(arguments.front()).fileName().toStdString();
}

QIcon applicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256, 512}) {
    const QString path = QStringLiteral(":/icons/icon_%1.png").arg(size);
    if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
  }
  return icon;
}

}  // namespace caplift::platform::qt
