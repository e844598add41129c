#pragma once

#include <optional>
#include <string>

#include "cli/output.h"
#include "convert/timeline.h"

namespace caplift {

// "-" names standard input as FILE and standard output as --output.
inline constexpr const char* kStandardStreamArgument = "-";
// The streams' names in messages.
inline constexpr const char* kStandardInputName = "standard input";
inline constexpr const char* kStandardOutputName = "standard output";

// Converts one input (an FCPXML file, a bundle folder, or "-" for standard input) into `output`,
// named `outputName` in messages, and commits it; with `timeline`, in the timeline mode, where a
// document without the project to place fails. On failure returns the message "<file>: <why>",
// naming the input or the output; the output is then left uncommitted.
std::optional<std::string> convertInput(const std::string& input, Output& output,
                                        const std::string& outputName,
                                        const std::optional<TimelineOptions>& timeline = {});

}  // namespace caplift
