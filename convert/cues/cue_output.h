#pragma once

#include <string>
#include <string_view>

#include "convert/io/text_sink.h"

namespace caplift {

// The text the writers make, handed to the sink in pieces of about 64 KiB: few calls, and memory
// that does not grow with the output.
class CueOutput {
 public:
  explicit CueOutput(TextSink& sink) : sink_(sink) {}

  std::string& text() { return text_; }
  // Hands the text over once it has grown large; false once the sink has refused any.
  bool flushIfLarge() { return text_.size() < kFlushSize ? !failed_ : flush(); }
  bool flush() {
    if (failed_) return false;
    if (!text_.empty() && !sink_.write(text_)) failed_ = true;
    text_.clear();
    return !failed_;
  }
  // Hands `text` over at once, after what is gathered; for text that is already in large pieces.
  bool write(std::string_view text) {
    if (!flush()) return false;
    if (!text.empty() && !sink_.write(text)) failed_ = true;
    return !failed_;
  }
  bool failed() const { return failed_; }

 private:
  static constexpr std::size_t kFlushSize = 1 << 16;

  TextSink& sink_;
  std::string text_;
  bool failed_ = false;
};

}  // namespace caplift
