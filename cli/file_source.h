#pragma once

#include <string>

#include "convert/extract_srt.h"

namespace caplift {

// The document bytes of one input, read in the converter's chunks from a file or standard input.
class FileSource final : public ByteSource {
 public:
  FileSource() = default;
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // Opens the file at `path`. Only regular files are accepted: a FIFO without a writer or a device
  // could block forever or never end, and standard input ("-") covers pipes. On failure returns
  // false and failureDescription() says why.
  bool open(const std::string& path);
  // Reads standard input instead of a file.
  void useStandardInput();

  long read(char* buffer, std::size_t capacity) override;
  std::string failureDescription() const override { return failure_; }

 private:
  int fd_ = -1;
  bool ownsFd_ = false;
  std::string failure_;
};

}  // namespace caplift
