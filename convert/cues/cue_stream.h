#pragma once

#include <cstddef>

#include "convert/cues/cue_output.h"
#include "convert/cues/cue_writer.h"
#include "convert/cues/roles.h"

namespace caplift {

// Where both modes hand their cues, one at a time in the mode's order: numbers them and passes
// them to the format's writer, whose text goes to the sink in large pieces.
class CueStream {
 public:
  CueStream(CueWriter& writer, TextSink& sink) : writer_(writer), out_(sink) {
    writer_.begin(out_);
  }

  // Passes on only the cues that `filter` keeps, numbered among themselves.
  void filterRoles(RoleFilter& filter) { filter_ = &filter; }

  // False once the sink has refused text: the conversion stops there.
  bool add(const Cue& cue) {
    if (filter_ != nullptr && !filter_->keeps(cue)) return true;
    writer_.cue(out_, ++count_, cue);
    return out_.flushIfLarge();
  }
  // After the last cue: writes what is left. False when the sink refused any of the text.
  bool finish() {
    writer_.end(out_);
    return out_.flush();
  }
  bool failed() const { return out_.failed(); }
  std::size_t cues() const { return count_; }
  // Whether the cues' runs are written; without, the modes leave them empty.
  bool wantsStyles() const { return writer_.keptStyles() != 0; }

 private:
  CueWriter& writer_;
  CueOutput out_;
  RoleFilter* filter_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace caplift
