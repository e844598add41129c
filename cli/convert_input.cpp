#include "cli/convert_input.h"

#include "convert/file_source.h"

namespace caplift {

namespace {

// Why the timeline mode had nothing to place.
ConversionFailure missingProject(const TimelineOptions& options, const TimelineResult& result) {
  if (!options.project || result.projects.empty()) {
    return {ConversionFailure::Kind::kRead, {}, reason::kNoProject, {}};
  }
  std::string projects;
  for (const std::string& name : result.projects) {
    projects += (projects.empty() ? "\"" : ", \"") + name + "\"";
  }
  return {ConversionFailure::Kind::kRead, {}, reason::kNoSuchProject, {*options.project, projects}};
}

}  // namespace

std::optional<ConversionFailure> convertInput(const std::string& input, Output& output,
                                              const std::optional<TimelineOptions>& timeline) {
  FileSource source;
  std::optional<ConversionFailure> failure;
  if (input == kStandardStreamArgument) {
    source.useStandardInput();
  } else {
    failure = source.open(input);
  }
  if (!failure) failure = output.open(source.id());
  if (failure) return failure;
  TimelineResult placed;
  failure = timeline ? convertTimeline(source, output, *timeline, &placed)
                     : convertStream(source, output);
  if (!failure && timeline && !placed.project) failure = missingProject(*timeline, placed);
  if (!failure) return output.commit();
  if (failure->kind == ConversionFailure::Kind::kWrite) return output.failure();
  failure->file = source.name();
  return failure;
}

}  // namespace caplift
