#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "convert/cues/cue_writer.h"

namespace caplift {

// WebVTT: the header, then the cues in order of their start, without numbers. A cue that does
// not end after it starts is left out, as WebVTT requires. Sorting needs every cue in hand, so
// each is kept as its two times and its finished text, one after another in one string.
class VttWriter final : public CueWriter {
 public:
  explicit VttWriter(StyleSet kept = 0) : CueWriter(kept) {}
  void begin(CueOutput& out) override;
  void cue(CueOutput& out, std::size_t number, const Cue& cue) override;
  void end(CueOutput& out) override;

 private:
  struct Held {
    Milliseconds start;
    Milliseconds end;
    std::size_t textEnd;  // in texts_
  };

  std::vector<Held> held_;
  std::string texts_;
  bool sorted_ = true;
};

}  // namespace caplift
