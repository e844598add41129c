#pragma once

#include <string>
#include <string_view>

namespace caplift::fuzz {

// Converts `document` in the timeline mode, whole and in small reads: both must give the same
// outcome; a refusal must say why; the text must be SubRip blocks whose starts never go back and
// whose ends follow their starts, with no more cues than titles placed and no more elements
// visited than the limit allows for the document's story elements. Returns what went wrong, or
// the empty text.
std::string checkTimeline(std::string_view document);

}  // namespace caplift::fuzz
