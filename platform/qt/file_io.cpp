#include "platform/qt/file_io.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <errno.h>
#include <signal.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Asks the system to back a large buffer with huge pages where it offers them: on Linux, touching a
// hundred megabytes 4 KiB page by page costs more than copying them.
void preferHugePages(char* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

// Ignores SIGXFSZ while it lives: a write past the file-size limit then fails with EFBIG.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    restore_ = sigaction(SIGXFSZ, &ignore, &previous_) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (restore_) sigaction(SIGXFSZ, &previous_, nullptr);
  }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

 private:
  struct sigaction previous_ {};
  bool restore_ = false;
};

}  // namespace

std::optional<std::size_t> firstInvalidUtf8Offset(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    if (data[i] < 0x80) {
      // Most of a document is ASCII: skip it eight bytes at a time.
      while (size - i >= 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        if (word & 0x8080808080808080ULL) break;
        i += 8;
      }
      while (i < size && data[i] < 0x80) ++i;
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
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    return {std::nullopt,
            describe("The file “%1” could not be opened: %2", name, file.errorString())};
  }
  // Read straight into the result: for a file of a hundred megabytes a second copy costs as much
  // time and memory as the read itself. One byte more than the size shows the end in one read.
  std::string text;
  text.reserve(std::size_t(std::max<qint64>(file.size(), 0)) + 1);
  preferHugePages(text.data(), text.capacity());
  text.resize(text.capacity());
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.size()) text.resize(text.size() * 2);  // the file grew meanwhile
    const qint64 count = file.read(text.data() + filled, qint64(text.size() - filled));
    if (count < 0) {
      return {std::nullopt,
              describe("The file “%1” could not be read: %2", name, file.errorString())};
    }
    if (count == 0) break;
    filled += std::size_t(count);
  }
  text.resize(filled);
  if (const auto offset = firstInvalidUtf8Offset(text)) {
    return {std::nullopt, tr("The file “%1” is not valid UTF-8 text (invalid byte at offset %2).")
                              .arg(name)
                              .arg(qulonglong(*offset))
                              .toStdString()};
  }
  return {std::move(text), {}};
}

WriteResult writeFileAtomically(const std::string& path, std::string_view utf8) {
  const QString name = QString::fromStdString(path);
  QSaveFile file(name);
  // Writing in place would break the promise that a failed save leaves the old file alone.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    return {false, describe("The file “%1” could not be saved: %2", name, file.errorString())};
  }
  // Past a file-size limit the write must fail, not end the application.
  const FileSizeSignalIgnored fileSizeSignalIgnored;
  // A write that runs out of room returns short without an error; the next one gives the reason.
  // The explicit flush matters too: commit() would flush in close(), ignore a failure there and
  // put the cut-off text in the target's place.
  qint64 written = 0;
  while (written < qint64(utf8.size())) {
    const qint64 count = file.write(utf8.data() + written, qint64(utf8.size()) - written);
    if (count <= 0) break;
    written += count;
  }
  if (written < qint64(utf8.size())) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return {false, describe("The file “%1” could not be saved: %2", name, reason)};
  }
  if (!file.flush()) {
    // flush() keeps no reason of its own ("Unknown error"); errno still holds the write's.
    const QString reason = qt_error_string(errno);
    file.cancelWriting();
    return {false, describe("The file “%1” could not be saved: %2", name, reason)};
  }
  if (!file.commit()) {
    return {false, describe("The file “%1” could not be saved: %2", name, file.errorString())};
  }
  return {true, {}};
}

}  // namespace caplift::platform::qt
