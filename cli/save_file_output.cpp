#include "cli/save_file_output.h"

#include <cerrno>

#include "cli/fd_io.h"
#include "convert/input_path.h"

namespace caplift {

namespace {

// Text is gathered into pieces of this size so that the file sees few, large writes.
constexpr std::size_t kWritePiece = 1u << 20;

}  // namespace

SaveFileOutput::SaveFileOutput(const std::string& path) : file_(QString::fromStdString(path)) {}

SaveFileOutput::~SaveFileOutput() {
  if (!committed_ && file_.isOpen()) file_.cancelWriting();
}

bool SaveFileOutput::open() {
  // Qt words this case its own way; the system's words match the other messages.
  if (isFolder(file_.fileName().toStdString())) return fail(EISDIR);
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail();
  return true;
}

bool SaveFileOutput::write(std::string_view text) {
  if (!failure_.empty()) return false;
  pending_.append(text);
  return pending_.size() < kWritePiece || flush();
}

bool SaveFileOutput::flush() {
  if (pending_.empty()) return true;
  errno = 0;
  if (file_.write(pending_.data(), static_cast<qint64>(pending_.size())) !=
      static_cast<qint64>(pending_.size())) {
    // Qt reports a failed write (a full disk, a file-size limit) as "Unknown error"; the
    // system's reason is still in errno.
    return fail(errno);
  }
  pending_.clear();
  return true;
}

bool SaveFileOutput::commit() {
  if (!failure_.empty() || !flush()) return false;
  if (!file_.commit()) return fail();
  committed_ = true;
  return true;
}

bool SaveFileOutput::fail(int error) {
  failure_ = "cannot write: " + (error ? errorText(error) : file_.errorString().toStdString());
  if (file_.isOpen()) file_.cancelWriting();
  return false;
}

}  // namespace caplift
