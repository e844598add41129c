#pragma once

#include <optional>
#include <string>

#include "convert/output_file.h"

namespace caplift {

// "-" names standard input as FILE and standard output as --output.
inline constexpr const char* kStandardStreamArgument = "-";

// Converts one input (an FCPXML file, a bundle folder, or "-" for standard input) into `output`
// and commits it. On failure returns why, naming the input or the output; the output is then left
// uncommitted.
std::optional<ConversionFailure> convertInput(const std::string& input, Output& output);

}  // namespace caplift
