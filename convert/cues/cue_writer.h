#pragma once

#include <cstddef>

#include "convert/cues/cue.h"
#include "convert/cues/cue_output.h"

namespace caplift {

// Turns cues into the bytes of one subtitle format.
class CueWriter {
 public:
  virtual ~CueWriter() = default;
  virtual void begin(CueOutput& out) = 0;
  // `number` counts the cues handed over so far, this one included.
  virtual void cue(CueOutput& out, std::size_t number, const Cue& cue) = 0;
  // After the last cue. A writer that must see every cue before it writes (to sort them) writes
  // them here.
  virtual void end(CueOutput& out) = 0;
};

}  // namespace caplift
