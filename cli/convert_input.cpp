#include "cli/convert_input.h"

#include "cli/file_source.h"
#include "convert/extract_srt.h"
#include "convert/input_path.h"

namespace caplift {

namespace {

std::string quoted(const std::string& name) {
  return "\"" + name + "\"";
}

// Why the timeline mode had nothing to place.
std::string missingProject(const TimelineOptions& options, const TimelineResult& result) {
  if (result.projects.empty()) return "the document has no project with a timeline";
  std::string why = "no project named " + quoted(*options.project) + "; the document has ";
  for (std::size_t i = 0; i < result.projects.size(); ++i) {
    why += (i == 0 ? "" : ", ") + quoted(result.projects[i]);
  }
  return why;
}

}  // namespace

std::optional<std::string> convertInput(const std::string& input, Output& output,
                                        const std::string& outputName,
                                        const std::optional<TimelineOptions>& timeline) {
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
  TimelineResult placed;
  if (auto failure = timeline ? convertTimeline(source, output, *timeline, &placed)
                              : convertStream(source, output)) {
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
  if (timeline && !placed.project) return inputName + ": " + missingProject(*timeline, placed);
  if (!output.commit()) return outputName + ": " + output.failureDescription();
  return std::nullopt;
}

}  // namespace caplift
