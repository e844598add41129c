#include "convert/timeline/timeline.h"

#include <libxml/SAX2.h>

#include "convert/timeline/cues.h"
#include "convert/timeline/reader.h"
#include "convert/timeline/walk.h"
#include "convert/xml/document_parser.h"

namespace caplift {

std::optional<ConversionFailure> readTimeline(ByteSource& source, CueStream& cues,
                                              const TimelineOptions& options,
                                              TimelineResult* result, CueSource from,
                                              DocumentNotes* notes) {
  timeline::Model model;
  {
    timeline::TimelineReader reader(options.project, from, cues.wantsStyles());
    xmlSAXHandler sax;
    xmlSAXVersion(&sax, 2);
    timeline::TimelineReader::useCallbacks(sax);
    DocumentParser parser(source, sax, &reader);
    if (auto failure = parser.parse()) return failure;
    if (notes != nullptr) *notes = reader.notes();
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
  if (!timeline::handOver(placements, model.cueTexts, cues)) {
    return ConversionFailure{ConversionFailure::Kind::kWrite, {}, reason::kOutputFailed, {}};
  }
  if (result != nullptr) *result = std::move(summary);
  return std::nullopt;
}

}  // namespace caplift
