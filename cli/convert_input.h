#pragma once

#include <optional>
#include <string>

#include "convert/output_file.h"
#include "convert/timeline.h"

namespace caplift {

// "-" names standard input as FILE and standard output as --output.
inline constexpr const char* kStandardStreamArgument = "-";

// Converts one input (an FCPXML file, a bundle folder, or "-" for standard input) into `output`
// and commits it; with `timeline`, in the timeline mode, where a document without the project to
// place fails. On failure returns why, naming the input or the output; the output is then left
// uncommitted.
std::optional<ConversionFailure> convertInput(const std::string& input, Output& output,
                                              const std::optional<TimelineOptions>& timeline = {});

}  // namespace caplift
