#pragma once

#include <cstddef>
#include <string>

namespace caplift {

// What one reading noticed beside the cues, at the cost of a few comparisons per element: what
// the document is, the cues of the kind not asked for, and (in the default mode) what makes the
// project's timeline place the titles elsewhere than their own clips do.
struct DocumentNotes {
  std::string root;           // the root element's name
  std::size_t otherKind = 0;  // elements of the cue kind not asked for
  std::size_t projects = 0;   // project elements
  double tcStart = 0;         // seconds where the first project's timeline starts
  std::size_t inClips = 0;    // cues in the content of compound, multicam or synchronized clips
  std::size_t disabled = 0;   // cues that are, or sit in, a disabled element
  std::size_t inAuditions = 0;
  std::size_t onNestedLanes = 0;  // cues on a lane of something that is itself on a lane
  std::size_t inOtherProjects = 0;

  bool isFcpxml() const { return root.empty() || root == "fcpxml"; }
  // Whether the timeline mode would place the cues differently.
  bool placesElsewhere() const {
    return tcStart != 0 || inClips != 0 || disabled != 0 || inAuditions != 0 ||
           onNestedLanes != 0 || inOtherProjects != 0;
  }
};

}  // namespace caplift
