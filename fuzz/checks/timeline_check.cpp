#include "fuzz/checks/timeline_check.h"

#include <libxml/SAX2.h>
#include <libxml/tree.h>

#include <cstring>
#include <vector>

#include "convert/document_parser.h"
#include "convert/memory_io.h"
#include "convert/timeline.h"
#include "fuzz/checks/srt_shape.h"
#include "tests/convert/test_io.h"

namespace caplift::fuzz {

namespace {

struct Outcome {
  std::optional<ConversionFailure> failure;
  TimelineResult result;
  std::string srt;
};

Outcome convert(ByteSource& source) {
  Outcome outcome;
  testing_io::RecordingSink sink;
  outcome.failure = convertTimeline(source, sink, {}, &outcome.result);
  outcome.srt = sink.text();
  return outcome;
}

// The story elements of the document, counted on a tree of it.
std::uint64_t storyElements(xmlNodePtr node) {
  static const char* const kStory[] = {"audio",    "video",    "clip",      "title",
                                       "mc-clip",  "ref-clip", "sync-clip", "asset-clip",
                                       "audition", "gap",      "spine"};
  std::uint64_t count = 0;
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    for (const char* name : kStory) {
      if (node->ns == nullptr &&
          std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0) {
        ++count;
        break;
      }
    }
    count += storyElements(node->children);
  }
  return count;
}

std::uint64_t storyElements(std::string_view document) {
  MemorySource source(document);
  xmlSAXHandler sax;
  xmlSAXVersion(&sax, 2);
  DocumentParser parser(source, sax, nullptr);
  if (parser.parse()) return 0;
  xmlDocPtr tree = parser.takeDocument();
  const std::uint64_t count = storyElements(xmlDocGetRootElement(tree));
  xmlFreeDoc(tree);
  return count;
}

// Milliseconds of a timestamp that checkSrtShape() accepted.
long long milliseconds(std::string_view stamp) {
  const std::size_t comma = stamp.size() - 4;
  return ((std::stoll(std::string(stamp.substr(0, comma - 6))) * 60 +
           std::stoll(std::string(stamp.substr(comma - 5, 2)))) *
              60 +
          std::stoll(std::string(stamp.substr(comma - 2, 2)))) *
             1000 +
         std::stoll(std::string(stamp.substr(comma + 1)));
}

// Starts that never go back, ends after their starts, in text of the SubRip shape.
std::string checkTimes(std::string_view srt) {
  std::vector<std::string_view> lines;
  for (std::size_t feed; (feed = srt.find('\n')) != std::string_view::npos;) {
    lines.push_back(srt.substr(0, feed));
    srt.remove_prefix(feed + 1);
  }
  long long previous = 0;
  for (std::size_t i = 0; i + 2 < lines.size();) {
    const std::string_view timing = lines[i + 1];
    const std::size_t arrow = timing.find(" --> ");
    const long long start = milliseconds(timing.substr(0, arrow));
    const long long end = milliseconds(timing.substr(arrow + 5));
    if (start < previous) return "a cue starts before the one above it: " + std::string(timing);
    if (end <= start) return "a cue does not end after its start: " + std::string(timing);
    previous = start;
    // The text lines, or the empty line of an empty text, then the empty line after the block.
    i += lines[i + 2].empty() ? 4 : 3;
    while (i < lines.size() && !lines[i - 1].empty()) ++i;
  }
  return {};
}

}  // namespace

std::string checkTimeline(std::string_view document) {
  MemorySource whole(document);
  const Outcome outcome = convert(whole);
  testing_io::ChunkedSource small(document, 1 + document.size() % 7);
  const Outcome chunked = convert(small);
  const auto describe = [](const Outcome& o) {
    return o.failure ? "refused: " + o.failure->description() : "converted: " + o.srt;
  };
  if (describe(outcome) != describe(chunked)) {
    return "whole vs small reads: " + describe(outcome) + " but " + describe(chunked);
  }
  if (outcome.failure) return outcome.failure->description().empty() ? "a refusal without why" : "";
  if (!outcome.result.project && !outcome.srt.empty()) return "cues without a project";
  if (outcome.result.cues > outcome.result.titles) return "more cues than titles placed";
  const std::uint64_t limit = 1'000'000 + 16 * storyElements(document);
  if (outcome.result.visits > limit) return "visits past the limit";
  if (std::string problem = checkSrtShape(outcome.srt, outcome.result.cues); !problem.empty()) {
    return problem;
  }
  return checkTimes(outcome.srt);
}

}  // namespace caplift::fuzz
