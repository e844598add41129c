#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/io/byte_source.h"
#include "convert/io/output.h"

namespace caplift {

// A ByteSource over bytes held in memory (not copied: they must outlive the source).
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  long read(char* buffer, std::size_t capacity) override {
    const std::size_t count = std::min(capacity, bytes_.size());
    std::memcpy(buffer, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return static_cast<long>(count);
  }
  std::string failureDescription() const override { return {}; }

 private:
  std::string_view bytes_;
};

// A TextSink that collects the text in a string.
class StringSink : public TextSink {
 public:
  bool write(std::string_view text) override {
    text_.append(text);
    return true;
  }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

// An Output that keeps the text in memory, for a preview.
class StringOutput final : public Output {
 public:
  std::optional<ConversionFailure> open(const std::optional<FileId>&) override { return {}; }
  bool write(std::string_view text) override {
    text_.append(text);
    return true;
  }
  std::optional<ConversionFailure> commit() override { return {}; }
  const std::optional<ConversionFailure>& failure() const override { return failure_; }
  std::string& text() { return text_; }

 private:
  std::string text_;
  std::optional<ConversionFailure> failure_;
};

}  // namespace caplift
