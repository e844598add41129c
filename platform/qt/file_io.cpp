#include "platform/qt/file_io.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace caplift::platform::qt {

namespace {

QString tr(const char* text) {
  return QCoreApplication::translate("Platform", text);
}

std::string describe(const char* text, const QString& path) {
  return tr(text).arg(path).toStdString();
}

std::string describe(const char* text, const QString& path, const QString& reason) {
  return tr(text).arg(path, reason).toStdString();
}

// The length of the sequence that a lead byte starts, and the range of its second byte (which
// rules out overlong forms, surrogates and values past U+10FFFF); 0 for a byte that cannot lead.
struct Lead {
  int length;
  unsigned char low;
  unsigned char high;
};

Lead leadOf(unsigned char byte) {
  if (byte < 0x80) return {1, 0, 0};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

std::optional<std::size_t> firstInvalidUtf8Offset(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    if (data[i] < 0x80) {
      ++i;
      continue;
    }
    const Lead lead = leadOf(data[i]);
    if (lead.length == 0) return i;
    if (i + 1 >= size || data[i + 1] < lead.low || data[i + 1] > lead.high) return i;
    for (int k = 2; k < lead.length; ++k) {
      if (i + k >= size || (data[i + k] & 0xC0) != 0x80) return i;
    }
    i += lead.length;
  }
  return std::nullopt;
}

ReadResult readUtf8File(const std::string& path) {
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (!info.exists()) {
    return {std::nullopt, describe("The file “%1” does not exist.", name)};
  }
  if (info.isDir()) return {std::nullopt, describe("“%1” is a folder, not a file.", name)};
  if (!info.isFile()) {
    return {std::nullopt, describe("“%1” is not a regular file.", name)};
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    return {std::nullopt,
            describe("The file “%1” could not be opened: %2", name, file.errorString())};
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return {std::nullopt,
            describe("The file “%1” could not be read: %2", name, file.errorString())};
  }
  const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
  if (const auto offset = firstInvalidUtf8Offset(view)) {
    return {std::nullopt, tr("The file “%1” is not valid UTF-8 text (invalid byte at offset %2).")
                              .arg(name)
                              .arg(qulonglong(*offset))
                              .toStdString()};
  }
  return {std::string(view), {}};
}

WriteResult writeFileAtomically(const std::string& path, std::string_view utf8) {
  const QString name = QString::fromStdString(path);
  QSaveFile file(name);
  // Writing in place would break the promise that a failed save leaves the old file alone.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    return {false, describe("The file “%1” could not be saved: %2", name, file.errorString())};
  }
  const qint64 size = qint64(utf8.size());
  if (file.write(utf8.data(), size) != size) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return {false, describe("The file “%1” could not be saved: %2", name, reason)};
  }
  if (!file.commit()) {
    return {false, describe("The file “%1” could not be saved: %2", name, file.errorString())};
  }
  return {true, {}};
}

}  // namespace caplift::platform::qt
