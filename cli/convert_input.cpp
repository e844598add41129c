#include "cli/convert_input.h"

#include "cli/file_source.h"
#include "convert/extract_srt.h"
#include "convert/input_path.h"

namespace caplift {

std::optional<std::string> convertInput(const std::string& input, Output& output,
                                        const std::string& outputName) {
  FileSource source;
  std::string inputName = input;
  if (input == kStandardStreamArgument) {
    source.useStandardInput();
    inputName = kStandardInputName;
  } else {
    DocumentPath document = documentPathFor(input);
    if (!document.ok()) {
      return input + ": a folder without " + kBundleDocumentName + ", so not an FCPXML bundle";
    }
    // For a bundle, name the document inside it: that is where a line and column point.
    inputName = document.path;
    if (!source.open(document.path)) return inputName + ": " + source.failureDescription();
  }

  if (!output.open()) return outputName + ": " + output.failureDescription();
  if (auto failure = convertStream(source, output)) {
    switch (failure->kind) {
      case ConversionFailure::Kind::kRead:
        return inputName + ": " + source.failureDescription();
      case ConversionFailure::Kind::kWrite:
        return outputName + ": " + output.failureDescription();
      case ConversionFailure::Kind::kNotUtf8:
      case ConversionFailure::Kind::kParse:
        break;
    }
    return inputName + ": " + failure->description;
  }
  if (!output.commit()) return outputName + ": " + output.failureDescription();
  return std::nullopt;
}

}  // namespace caplift
