#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "convert/cues/cue_writer.h"

namespace caplift {

// WebVTT: the header, then the cues in order of their start, without numbers. A cue that does
// not end after it starts is left out, as WebVTT requires. Sorting needs every cue in hand: each
// is kept as its finished block of text, in pieces of about a megabyte, and handed on as it
// stands when the cues came in order. Cues a little out of order, as a default-mode document
// gives them, are moved back to their place as they come; only many long moves leave a sort to
// the end.
class VttWriter final : public CueWriter {
 public:
  explicit VttWriter(StyleSet kept = 0) : CueWriter(kept) {}
  void begin(CueOutput& out) override;
  void cue(CueOutput& out, std::size_t number, const Cue& cue) override;
  void end(CueOutput& out) override;

 private:
  struct Held {
    Milliseconds start;
    std::uint32_t piece;   // in pieces_
    std::uint32_t offset;  // of its block in that piece
    std::uint32_t length;
  };

  std::vector<std::string> pieces_;
  std::vector<Held> held_;  // in order of start, unless `sorted_` is false
  bool arrivedInOrder_ = true;
  bool sorted_ = true;
  std::uint64_t moves_ = 0;
};

}  // namespace caplift
