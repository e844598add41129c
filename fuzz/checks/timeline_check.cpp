#include "fuzz/checks/checks.h"

#include <cstdio>
#include <vector>

#include "convert/memory_io.h"
#include "convert/timeline.h"
#include "fuzz/checks/srt_shape.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift::fuzz {

namespace {

struct Outcome {
  std::string text;  // "refused: ..." or "converted: ..."
  TimelineResult result;
};

Outcome convert(ByteSource& source) {
  Outcome outcome;
  testing_io::RecordingSink sink;
  const auto failure = convertTimeline(source, sink, {}, &outcome.result);
  outcome.text = failure ? "refused: " + failure->description() : "converted: " + sink.text();
  return outcome;
}

long double seconds(std::string_view stamp) {
  long double hours = 0, minutes = 0, secs = 0, millis = 0;
  std::sscanf(std::string(stamp).c_str(), "%Lf:%Lf:%Lf,%Lf", &hours, &minutes, &secs, &millis);
  return (hours * 60 + minutes) * 60 + secs + millis / 1000;
}

}  // namespace

std::string checkTimeline(std::string_view document) {
  MemorySource whole(document);
  const Outcome outcome = convert(whole);
  testing_io::ChunkedSource small(document, 1 + document.size() % 7);
  if (const std::string chunked = convert(small).text; chunked != outcome.text) {
    return "whole: " + outcome.text + "\nsmall reads: " + chunked;
  }
  if (outcome.text.starts_with("refused: ")) {
    return outcome.text.size() > 9 ? "" : "a refusal that does not say why";
  }
  const TimelineResult& r = outcome.result;
  const std::string_view srt = std::string_view(outcome.text).substr(11);
  if (!r.project && !srt.empty()) return "cues without a project";
  if (r.cues > r.titles) return "more cues than titles placed";
  if (const auto tree = reference::parseTree(document)) {
    const double story =
        reference::count(*tree,
                         "count(//audio|//video|//clip|//title|//mc-clip|//ref-clip|//sync-clip|"
                         "//asset-clip|//audition|//gap|//spine)");
    if (r.visits > 1'000'000 + 16 * story) return "visits past the limit";
  }
  std::vector<std::string_view> timings;
  if (std::string problem = checkSrtShape(srt, r.cues, &timings); !problem.empty()) return problem;
  long double previous = 0;
  for (std::string_view timing : timings) {
    const long double start = seconds(timing), end = seconds(timing.substr(timing.find(">") + 2));
    if (start < previous) return "a cue starts before the one above it: " + std::string(timing);
    if (end <= start) return "a cue does not end after its start: " + std::string(timing);
    previous = start;
  }
  return {};
}

}  // namespace caplift::fuzz
