#include "convert/timeline.h"

#include <libxml/SAX2.h>

#include "convert/document_parser.h"
#include "convert/timeline_cues.h"
#include "convert/timeline_reader.h"
#include "convert/timeline_walk.h"

namespace caplift {

namespace {

ConversionFailure refusal(std::string why) {
  return {ConversionFailure::Kind::kParse, 0, 0, std::move(why)};
}

}  // namespace

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
  if (auto why = walk.check()) return refusal(std::move(*why));
  std::vector<timeline::Placement> placements;
  try {
    placements = walk.place();
  } catch (const RationalOverflow&) {
    return refusal("a time is too large to compute exactly");
  }
  summary.visits = walk.visits();
  summary.titles = walk.titles();
  summary.cues = placements.size();
  if (!timeline::writeCues(placements, model.cueTexts, sink)) {
    return ConversionFailure{ConversionFailure::Kind::kWrite, 0, 0,
                             "the output could not be written"};
  }
  if (result != nullptr) *result = std::move(summary);
  return std::nullopt;
}

}  // namespace caplift
