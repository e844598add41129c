#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/extract_srt.h"

namespace caplift {

// The second conversion mode: every title where the project's timeline shows it.
struct TimelineOptions {
  // The project whose timeline is placed; none for the first project that has a timeline.
  std::optional<std::string> project;
};

struct TimelineResult {
  // The name of the project whose timeline was placed. None when the document has no project with
  // a timeline, or none of the name asked for: then nothing is written.
  std::optional<std::string> project;
  // The names of the document's projects that have a timeline, in document order.
  std::vector<std::string> projects;
  std::size_t cues = 0;
  // What the walk did: the elements it visited, and the titles it reached that are not disabled.
  // Each of those gives at most one cue.
  std::uint64_t visits = 0;
  std::uint64_t titles = 0;
};

// Converts the FCPXML document read from `source` into SubRip text written to `sink`: each title
// the chosen project's timeline shows, once for every time it is shown, at its place on that
// timeline, in the order of their starts. One streaming pass keeps a compact model of the story
// elements and the titles' texts; the cues are written after it. The failures are those of
// convertStream; a document is also refused (kParse, without a line) when its compound or
// multicam clips would multiply the work past the limits, or a time needs more than 128 bits.
std::optional<ConversionFailure> convertTimeline(ByteSource& source, TextSink& sink,
                                                 const TimelineOptions& options = {},
                                                 TimelineResult* result = nullptr);

}  // namespace caplift
