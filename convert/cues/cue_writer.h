#pragma once

#include <cstddef>

#include "convert/cues/cue.h"
#include "convert/cues/cue_output.h"
#include "convert/cues/style_tags.h"

namespace caplift {

// Turns cues into the bytes of one subtitle format.
class CueWriter {
 public:
  explicit CueWriter(StyleSet kept = 0) : kept_(kept) {}
  virtual ~CueWriter() = default;
  // The styles written as tags; the modes gather the styles of the text only when there are any.
  StyleSet keptStyles() const { return kept_; }
  virtual void begin(CueOutput& out) = 0;
  // `number` counts the cues handed over so far, this one included.
  virtual void cue(CueOutput& out, std::size_t number, const Cue& cue) = 0;
  // After the last cue. A writer that must see every cue before it writes (to sort them) writes
  // them here.
  virtual void end(CueOutput& out) = 0;

 protected:
  const StyleSet kept_;
};

}  // namespace caplift
