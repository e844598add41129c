#pragma once

#include <string_view>

namespace caplift {

// Where the subtitle text goes, in order, in pieces.
class TextSink {
 public:
  virtual ~TextSink() = default;
  // Returns false to stop the conversion (a kWrite failure, "the output could not be written":
  // the sink knows why).
  virtual bool write(std::string_view text) = 0;
};

}  // namespace caplift
