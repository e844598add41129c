#include "app/document_files.h"

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

#include "convert/input_path.h"
#include "convert/utf8_validator.h"

namespace caplift {

namespace {

// A sentence about the file, in the user's language.
template <class... Parts>
std::string describe(const char* text, const Parts&... parts) {
  return QCoreApplication::translate("Caplift", text).arg(parts...).toStdString();
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
    restore_ = sigaction(SIGXFSZ, &ignore, &previous_) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (restore_) sigaction(SIGXFSZ, &previous_, nullptr);
  }

 private:
  struct sigaction previous_ {};
  bool restore_;
};

struct ReadResult {
  std::optional<std::string> text;
  std::string failure;
};

// Reads a regular file whole as UTF-8; never opens anything else, so a FIFO or a device cannot
// block the application.
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
  Utf8Validator utf8;
  if (!utf8.feed(text) || !utf8.finish()) {
    return {std::nullopt,
            describe("The file “%1” is not valid UTF-8 text (invalid byte at offset %2).", name,
                     QString::number(utf8.errorOffset()))};
  }
  return {std::move(text), {}};
}

}  // namespace

ExtractResult convertChosenDocument(const std::string& chosenPath) {
  using Kind = ConversionFailure::Kind;
  const DocumentPath document = documentPathFor(chosenPath);
  if (!document.ok()) return {{}, ConversionFailure{Kind::kRead, 0, 0, document.error}};
  ReadResult read = readUtf8File(document.path);
  if (!read.text) return {{}, ConversionFailure{Kind::kRead, 0, 0, read.failure}};
  return extractSRT(*read.text);
}

std::optional<std::string> writeSubtitles(const std::string& target, std::string_view text) {
  const QString name = QString::fromStdString(target);
  QSaveFile file(name);
  // Writing in place would break the promise that a failed save leaves the old file alone.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    return describe("The file “%1” could not be saved: %2", name, file.errorString());
  }
  // Past a file-size limit the write must fail, not end the application.
  const FileSizeSignalIgnored fileSizeSignalIgnored;
  // A write that runs out of room returns short without an error; the next one gives the reason.
  // The explicit flush matters too: commit() would flush in close(), ignore a failure there and
  // put the cut-off text in the target's place.
  qint64 written = 0;
  while (written < qint64(text.size())) {
    const qint64 count = file.write(text.data() + written, qint64(text.size()) - written);
    if (count <= 0) break;
    written += count;
  }
  if (written < qint64(text.size())) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return describe("The file “%1” could not be saved: %2", name, reason);
  }
  if (!file.flush()) {
    // flush() keeps no reason of its own ("Unknown error"); errno still holds the write's.
    const QString reason = qt_error_string(errno);
    file.cancelWriting();
    return describe("The file “%1” could not be saved: %2", name, reason);
  }
  if (!file.commit()) {
    return describe("The file “%1” could not be saved: %2", name, file.errorString());
  }
  return std::nullopt;
}

}  // namespace caplift
