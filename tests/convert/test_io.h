#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/conversion.h"

namespace caplift::testing_io {

// Hands out at most `chunk` bytes per read, and fails with -1 once `failAt` bytes are out; counts
// the reads asked for after the end.
struct ChunkedSource : ByteSource {
  ChunkedSource(std::string_view bytes, std::size_t chunk, std::size_t failAt = std::string::npos)
      : bytes(bytes), chunk(chunk), failAt(failAt) {}
  long read(char* buffer, std::size_t capacity) override {
    if (position >= failAt) return -1;
    const std::size_t count =
        std::min({capacity, chunk, bytes.size() - position, failAt - position});
    std::memcpy(buffer, bytes.data() + position, count);
    position += count;
    readsAfterEnd += ended && count == 0;
    ended = ended || count == 0;
    return static_cast<long>(count);
  }
  std::string failureDescription() const override { return "disk on fire"; }

  std::string_view bytes;
  std::size_t chunk, failAt, position = 0, readsAfterEnd = 0;
  bool ended = false;
};

// Keeps what it is given and counts the writes; refuses the write number `failAt` (1-based).
struct RecordingSink : TextSink {
  explicit RecordingSink(std::size_t failAt = 0) : failAt(failAt) {}
  bool write(std::string_view piece) override {
    if (++writes == failAt) return false;
    text.append(piece);
    return true;
  }

  std::size_t failAt, writes = 0;
  std::string text;
};

// Converts `document` handed out `chunk` bytes at a time.
inline ExtractResult convertInChunks(std::string_view document, std::size_t chunk) {
  ChunkedSource source(document, chunk);
  RecordingSink sink;
  ExtractResult result;
  result.failure = convertStream(source, sink);
  if (result.ok()) result.srt = sink.text;
  return result;
}

}  // namespace caplift::testing_io
