#include "convert/timeline.h"

#include <libxml/SAX2.h>

#include "convert/document_parser.h"
#include "convert/timeline_cues.h"
#include "convert/timeline_reader.h"
#include "convert/timeline_walk.h"

namespace caplift {

std::optional<ConversionFailure> convertTimeline(ByteSource& source, TextSink& sink,
                                                 const TimelineOptions& options,
                                                 TimelineResult* result) {
  timeline::Model model;
  {
    timeline::TimelineReader reader(options.project);
    xmlSAXHandler sax;
    xmlSAXVersion(&sax, 2);
    timeline::TimelineReader::useCallbacks(sax);
    DocumentParser parser(source, sax, &reader);
    if (auto failure = parser.parse()) return failure;
    model = reader.take();
  }
  TimelineResult summary;
  summary.projects = std::move(model.projects);
  if (model.hasTimeline) summary.project = std::move(model.project);

  timeline::TimelineWalk walk(model);
  if (auto failure = walk.check()) return failure;
  std::vector<timeline::Placement> placements;
  try {
    placements = walk.place();
  } catch (const RationalOverflow&) {
    return ConversionFailure{ConversionFailure::Kind::kParse, {}, reason::kTimeOverflow, {}};
  }
  summary.visits = walk.visits();
  summary.titles = walk.titles();
  summary.cues = placements.size();
  if (!timeline::writeCues(placements, model.cueTexts, sink)) {
    return ConversionFailure{ConversionFailure::Kind::kWrite, {}, reason::kOutputFailed, {}};
  }
  if (result != nullptr) *result = std::move(summary);
  return std::nullopt;
}

}  // namespace caplift
