#pragma once

#include <optional>

#include "convert/conversion_failure.h"
#include "convert/cues/cue_stream.h"
#include "convert/document_notes.h"
#include "convert/io/byte_source.h"

namespace caplift {

// The default mode: reads the FCPXML document from `source` in one streaming pass and hands
// every title's cue to `cues`, in start-tag order, timed from the title's and its parent clip's
// own times. Memory is bounded by the largest title, not by the document. On failure the cues
// handed over so far are to be discarded.
// `from` says which elements give cues: titles, captions or both, all alike. `notes`, when given,
// gets what the reading noticed beside the cues.
std::optional<ConversionFailure> readTitles(ByteSource& source, CueStream& cues,
                                            CueSource from = CueSource::kTitles,
                                            DocumentNotes* notes = nullptr);

}  // namespace caplift
