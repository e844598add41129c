#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/extract_srt.h"

namespace caplift::testing_io {

// Hands out at most `chunk` bytes per read, and fails with -1 once `failAt` bytes are out.
class ChunkedSource : public ByteSource {
 public:
  ChunkedSource(std::string_view bytes, std::size_t chunk, std::size_t failAt = std::string::npos)
      : bytes_(bytes), chunk_(chunk), failAt_(failAt) {}
  long read(char* buffer, std::size_t capacity) override {
    if (position_ >= failAt_) return -1;
    std::size_t count =
        std::min({capacity, chunk_, bytes_.size() - position_, failAt_ - position_});
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    if (finished_ && count == 0) ++readsAfterEnd_;
    finished_ = finished_ || count == 0;
    return static_cast<long>(count);
  }
  std::string failureDescription() const override { return "disk on fire"; }
  std::size_t readsAfterEnd() const { return readsAfterEnd_; }

 private:
  std::string_view bytes_;
  std::size_t chunk_;
  std::size_t failAt_;
  std::size_t position_ = 0;
  std::size_t readsAfterEnd_ = 0;
  bool finished_ = false;
};

// Keeps what it is given and counts the writes; refuses the write number `failAt` (1-based).
class RecordingSink : public TextSink {
 public:
  explicit RecordingSink(std::size_t failAt = 0) : failAt_(failAt) {}
  bool write(std::string_view piece) override {
    ++writes_;
    if (writes_ == failAt_) return false;
    text_.append(piece);
    return true;
  }
  const std::string& text() const { return text_; }
  std::size_t writes() const { return writes_; }

 private:
  std::size_t failAt_;
  std::size_t writes_ = 0;
  std::string text_;
};

// Converts `document` handed out `chunk` bytes at a time.
inline ExtractResult convertInChunks(std::string_view document, std::size_t chunk) {
  ChunkedSource source(document, chunk);
  RecordingSink sink;
  ExtractResult result;
  result.failure = convertStream(source, sink);
  if (result.ok()) result.srt = sink.text();
  return result;
}

}  // namespace caplift::testing_io
