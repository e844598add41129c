#include "convert/io/convert_input.h"

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
                                              const ConversionOptions& options,
                                              ConversionReport* report, const SourceWatcher& watch,
                                              bool projectOptional) {
  FileSource file;
  std::optional<ConversionFailure> failure;
  if (input == kStandardStreamArgument) {
    file.useStandardInput();
  } else {
    failure = file.open(input);
  }
  if (!failure) failure = output.open(file.id());
  if (failure) return failure;
  const std::unique_ptr<ByteSource> watched = watch ? watch(file) : nullptr;
  ConversionReport done;
  failure = convertDocument(watched ? *watched : file, output, options, &done);
  if (!failure && options.timeline && !done.placed.project && !projectOptional) {
    failure = missingProject(*options.timeline, done.placed);
  }
  if (failure) {
    if (failure->kind == ConversionFailure::Kind::kWrite) return output.failure();
    failure->file = file.name();
    return failure;
  }
  if (auto committed = output.commit()) return committed;
  if (report != nullptr) *report = std::move(done);
  return std::nullopt;
}

}  // namespace caplift
