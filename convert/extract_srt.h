#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "convert/conversion_failure.h"

namespace caplift {

// Where the document bytes come from, read once from start to end.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to `capacity` bytes; returns the count, 0 at the end, or -1 on failure.
  virtual long read(char* buffer, std::size_t capacity) = 0;
  // Describes the last failure of read().
  virtual std::string failureDescription() const = 0;
};

// Where the SRT text goes, in order, in pieces.
class TextSink {
 public:
  virtual ~TextSink() = default;
  // Returns false to stop the conversion (a kWrite failure, "the output could not be written":
  // the sink knows why).
  virtual bool write(std::string_view text) = 0;
};

struct ConversionStats {
  std::size_t cues = 0;
};

// Converts the FCPXML document read from `source` into SubRip text written to `sink`, in one
// streaming pass: memory is bounded by the largest title, not by the document. On failure the sink
// may already hold part of the text; the caller discards it.
std::optional<ConversionFailure> convertStream(ByteSource& source, TextSink& sink,
                                               ConversionStats* stats = nullptr);

struct ExtractResult {
  std::string srt;  // empty on failure
  std::optional<ConversionFailure> failure;
  bool ok() const { return !failure.has_value(); }
};

// Converts a whole document held in memory (UTF-8) into SubRip text.
ExtractResult extractSRT(std::string_view document);

}  // namespace caplift
