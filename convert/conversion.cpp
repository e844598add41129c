#include "convert/conversion.h"

#include "convert/io/memory_io.h"
#include "convert/titles/read_titles.h"

namespace caplift {

std::optional<ConversionFailure> convertDocument(ByteSource& source, TextSink& sink,
                                                 const ConversionOptions& options,
                                                 ConversionReport* report) {
  const SubtitleFormat& format = options.format ? *options.format : defaultFormat();
  const std::unique_ptr<CueWriter> writer =
      options.listRoles ? std::make_unique<RoleListWriter>(&format != &defaultFormat())
                        : format.makeWriter(options.styles);
  CueStream cues(*writer, sink);
  // Only where it is asked for or reported: a plain conversion does no more than it did.
  std::optional<RoleFilter> filter;
  if (!options.roles.empty() || !options.droppedRoles.empty() || report != nullptr) {
    filter.emplace(options.roles, options.droppedRoles);
    cues.filterRoles(*filter);
  }
  TimelineResult placed;
  DocumentNotes notes;
  auto failure = options.timeline ? readTimeline(source, cues, *options.timeline, &placed,
                                                 options.source, &notes)
                                  : readTitles(source, cues, options.source, &notes);
  // A refused write stops the reading early; that, not the cut reading, is the failure.
  if (cues.failed() || (!failure && !cues.finish())) {
    return ConversionFailure{ConversionFailure::Kind::kWrite, {}, reason::kOutputFailed, {}};
  }
  if (failure) return failure;
  if (report != nullptr) {
    report->cues = cues.cues();
    report->placed = std::move(placed);
    report->notes = std::move(notes);
    if (filter) report->roles = filter->present();
  }
  return std::nullopt;
}

std::optional<ConversionFailure> convertStream(ByteSource& source, TextSink& sink) {
  return convertDocument(source, sink);
}

std::optional<ConversionFailure> convertTimeline(ByteSource& source, TextSink& sink,
                                                 const TimelineOptions& options,
                                                 TimelineResult* result) {
  ConversionReport report;
  ConversionOptions conversion;
  conversion.timeline = options;
  auto failure = convertDocument(source, sink, conversion, &report);
  if (!failure && result != nullptr) *result = std::move(report.placed);
  return failure;
}

ExtractResult extractSRT(std::string_view document) {
  MemorySource source(document);
  StringSink sink;
  // SubRip text is a fraction of the document it comes from; room reserved and never used is
  // never touched, while growing a large text by doubling copies it again and again.
  sink.text().reserve(document.size() / 4);
  ExtractResult result;
  result.failure = convertStream(source, sink);
  if (result.ok()) result.srt = std::move(sink.text());
  return result;
}

}  // namespace caplift
