#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion_failure.h"
#include "convert/timeline/model.h"

namespace caplift::timeline {

// A title shown on the timeline.
struct Placement {
  Rational start;      // exact, for the order of the cues
  Int128 startMs = 0;  // the stamps
  Int128 endMs = 0;
  std::uint32_t text = 0;   // in Model::cueTexts
  std::uint64_t order = 0;  // in walk order, which breaks ties
};

// Walks the chosen project's timeline: from its spines, every story child in document order, a
// compound's or multicam's content before a clip's own children, once for every use.
class TimelineWalk {
 public:
  explicit TimelineWalk(const Model& model);

  // Walks without placing anything, to count the visits before any work multiplies. Returns why
  // the document is refused when the walk would pass a limit.
  std::optional<ConversionFailure> check();
  // Walks again and places every title it reaches. Call after check() passed; throws
  // RationalOverflow when a time does not fit 128 bits.
  std::vector<Placement> place();

  std::uint64_t visits() const { return visits_; }
  // Titles reached that are not disabled: each gives at most one cue.
  std::uint64_t titles() const { return titles_; }

 private:
  struct Frame {
    std::uint32_t node = kNone;      // kNone: the project's sequence
    std::uint32_t next = kNone;      // the next child to visit
    std::uint32_t compound = kNone;  // the compound whose content it opened
    bool connected = false;          // to the frame below
    bool inContent = false;          // `next` runs over the compound's or angle's content
    bool onlyConnected = false;      // disabled: its contained children stay hidden
    bool onlyFirst = false;          // an audition shows its first child only
  };

  std::optional<ConversionFailure> walk(bool placing);
  // Enters a visited element; returns why the document is refused, if it is.
  std::optional<ConversionFailure> enter(std::uint32_t node, bool connected);
  void closeContent(Frame& frame);
  // The first node of the content an element shows before its own children, if it has any.
  bool content(const Node& node, std::uint32_t& first, std::uint32_t& compound) const;
  void placeTitle(std::uint32_t title, bool connected);

  const Model& model_;
  std::uint64_t limit_;
  std::vector<Frame> frames_;
  std::vector<bool> compoundOpen_;
  int openContents_ = 0;
  std::uint64_t visits_ = 0;
  std::uint64_t titles_ = 0;
  bool placing_ = false;
  std::vector<Placement> placements_;
};

}  // namespace caplift::timeline
