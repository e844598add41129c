#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion_failure.h"
#include "convert/cues/cue_stream.h"
#include "convert/document_notes.h"
#include "convert/io/byte_source.h"

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

// The timeline mode: reads the FCPXML document from `source` and hands `cues` each title the
// chosen project's timeline shows, once for every time it is shown, at its place on that
// timeline, in the order of their starts. One streaming pass keeps a compact model of the story
// elements and the titles' texts; the cues are handed over after it. The failures are those of
// the default mode; a document is also refused (kParse, without a line) when its compound or
// multicam clips would multiply the work past the limits, or a time needs more than 128 bits. A
// document without the project asked for gives no cue and no failure.
std::optional<ConversionFailure> readTimeline(ByteSource& source, CueStream& cues,
                                              const TimelineOptions& options = {},
                                              TimelineResult* result = nullptr,
                                              CueSource from = CueSource::kTitles,
                                              DocumentNotes* notes = nullptr);

}  // namespace caplift
