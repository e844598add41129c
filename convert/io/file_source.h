#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "convert/conversion_failure.h"
#include "convert/io/byte_source.h"

namespace caplift {

// A file as the system knows it, whichever path or link leads to it.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  auto operator<=>(const FileId&) const = default;
};

// The file that `path` leads to, following links; none when there is no such file.
std::optional<FileId> fileIdOf(const std::string& path);

// The document bytes of one input, read in the converter's chunks from a file, the document of a
// bundle, or standard input.
class FileSource final : public ByteSource {
 public:
  FileSource() = default;
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // Opens `input`: a file, or the document inside a bundle folder. Only regular files are
  // accepted: a FIFO without a writer or a device could block forever or never end, and standard
  // input covers pipes.
  std::optional<ConversionFailure> open(const std::string& input);
  // Reads standard input instead of a file.
  void useStandardInput();

  long read(char* buffer, std::size_t capacity) override;
  std::string failureDescription() const override { return failure_; }

  // The input's name in messages: the document read (inside a bundle), or "standard input".
  const std::string& name() const { return name_; }
  // The file read, when it is a regular file: the output must not replace it.
  const std::optional<FileId>& id() const { return id_; }

 private:
  int fd_ = -1;
  bool ownsFd_ = false;
  std::string name_ = "standard input";
  std::optional<FileId> id_;
  std::string failure_;
};

}  // namespace caplift
