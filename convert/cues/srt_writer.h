#pragma once

#include "convert/cues/cue_writer.h"

namespace caplift {

// SubRip: each cue numbered, in the order the mode gives them, its text as it stands.
class SrtWriter final : public CueWriter {
 public:
  explicit SrtWriter(StyleSet kept = 0) : CueWriter(kept) {}
  void begin(CueOutput&) override {}
  void cue(CueOutput& out, std::size_t number, const Cue& cue) override;
  void end(CueOutput&) override {}
};

// Appends one SubRip cue: its number, "start --> end", the text with the `kept` styles as tags,
// and the empty line that ends it.
void appendCueBlock(std::string& out, std::size_t number, const Cue& cue, StyleSet kept = 0);

}  // namespace caplift
