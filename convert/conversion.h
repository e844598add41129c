#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion_failure.h"
#include "convert/cues/formats.h"
#include "convert/cues/roles.h"
#include "convert/document_notes.h"
#include "convert/io/byte_source.h"
#include "convert/io/text_sink.h"
#include "convert/timeline/timeline.h"

namespace caplift {

// What one conversion makes of a document.
struct ConversionOptions {
  // The timeline mode when set; else the default mode.
  std::optional<TimelineOptions> timeline;
  // SubRip when none.
  const SubtitleFormat* format = nullptr;
  // Which elements give cues.
  CueSource source = CueSource::kTitles;
  // Only the cues of the roles these name (--role); all when none.
  std::vector<std::string> roles;
  // Leaves out the cues whose role is exactly one of these.
  std::vector<std::string> droppedRoles;
  // Writes each role with its number of cues instead of subtitles.
  bool listRoles = false;
  // The styles kept as tags; none for plain text.
  StyleSet styles = 0;
};

// What a successful conversion found.
struct ConversionReport {
  std::size_t cues = 0;   // handed to the writer
  TimelineResult placed;  // the timeline mode's summary
  // Every role of the cues before the roles were filtered, with their counts.
  std::vector<RoleCount> roles;
  DocumentNotes notes;
};

// Converts the FCPXML document read from `source` into subtitles written to `sink`: the mode
// reads the document into cues, the format's writer turns them into text. The timeline mode also
// fails (kRead) when the document has no project to place. On failure the sink may already hold
// part of the text; the caller discards it.
std::optional<ConversionFailure> convertDocument(ByteSource& source, TextSink& sink,
                                                 const ConversionOptions& options = {},
                                                 ConversionReport* report = nullptr);

// The default mode's SubRip text.
std::optional<ConversionFailure> convertStream(ByteSource& source, TextSink& sink);
// The timeline mode's SubRip text. Unlike convertDocument, a document without the project asked
// for is no failure: it gives no text, and `result` has no project.
std::optional<ConversionFailure> convertTimeline(ByteSource& source, TextSink& sink,
                                                 const TimelineOptions& options = {},
                                                 TimelineResult* result = nullptr);

struct ExtractResult {
  std::string srt;  // empty on failure
  std::optional<ConversionFailure> failure;
  bool ok() const { return !failure.has_value(); }
};

// Converts a whole document held in memory (UTF-8) into SubRip text, in the default mode.
ExtractResult extractSRT(std::string_view document);

}  // namespace caplift
