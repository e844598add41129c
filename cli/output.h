#pragma once

#include <string>

#include "convert/extract_srt.h"

namespace caplift {

// Where the text of one conversion goes. Nothing becomes visible before commit(): an output that
// is dropped without it leaves the destination as it was.
class Output : public TextSink {
 public:
  // Prepares the destination; false when it cannot be written (failureDescription() says why).
  virtual bool open() = 0;
  // Makes the whole text visible at once; false when that fails.
  virtual bool commit() = 0;
  // Why open(), write() or commit() failed, e.g. "cannot write: Permission denied".
  virtual std::string failureDescription() const = 0;
};

}  // namespace caplift
