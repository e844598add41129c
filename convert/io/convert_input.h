#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "convert/conversion.h"
#include "convert/io/file_source.h"
#include "convert/io/output.h"

namespace caplift {

// "-" names standard input as FILE and standard output as --output.
inline constexpr const char* kStandardStreamArgument = "-";

// What the application puts between the file and the conversion: a source that reads `file` on
// and shows how far it has come.
using SourceWatcher = std::function<std::unique_ptr<ByteSource>(FileSource& file)>;

// Converts one input (an FCPXML file, a bundle folder, or "-" for standard input) into `output`
// and commits it: the one way from an input to its subtitles, for the application and the
// command line alike. In the timeline mode a document without the project to place fails, unless
// `projectOptional`. On failure returns why, naming the input or the output; the output is then
// left uncommitted.
std::optional<ConversionFailure> convertInput(const std::string& input, Output& output,
                                              const ConversionOptions& options = {},
                                              ConversionReport* report = nullptr,
                                              const SourceWatcher& watch = {},
                                              bool projectOptional = false);

}  // namespace caplift
