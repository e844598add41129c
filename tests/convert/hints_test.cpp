// What the default mode notices about each export of the corpus that has a project, against
// data/hints.cases, and that it is true: where it notices something, the timeline mode places the
// titles elsewhere; where it does not, both modes give the same cues, to within a frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "convert/conversion.h"
#include "convert/io/memory_io.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

using test::Case;

// The notes as the table writes them: the non-zero ones, "name=value", in this order.
std::string written(const DocumentNotes& n) {
  std::ostringstream out;
  const std::pair<const char*, double> all[] = {{"tcStart", n.tcStart},
                                                {"clips", double(n.inClips)},
                                                {"disabled", double(n.disabled)},
                                                {"auditions", double(n.inAuditions)},
                                                {"lanes", double(n.onNestedLanes)},
                                                {"otherProjects", double(n.inOtherProjects)}};
  for (const auto& [name, value] : all) {
    if (value != 0) out << (out.tellp() == 0 ? "" : " ") << name << '=' << value;
  }
  return out.str();
}

struct Converted {
  std::string srt;
  ConversionReport report;
};

Converted convert(const std::string& document, bool timeline) {
  MemorySource source(document);
  StringSink sink;
  ConversionOptions options;
  if (timeline) options.timeline.emplace();
  Converted converted;
  EXPECT_FALSE(convertDocument(source, sink, options, &converted.report));
  converted.srt = sink.text();
  return converted;
}

// Each cue's start and end in milliseconds and its text.
struct SrtCue {
  long start, end;
  std::string text;
};

std::vector<SrtCue> cuesOf(const std::string& srt) {
  std::vector<SrtCue> cues;
  const auto ms = [](const std::string& t) {
    return ((std::stol(t.substr(0, 2)) * 60 + std::stol(t.substr(3, 2))) * 60 +
            std::stol(t.substr(6, 2))) *
               1000 +
           std::stol(t.substr(9, 3));
  };
  for (std::size_t at = 0; at < srt.size();) {
    std::size_t end = srt.find("\n\n", at);
    const std::string block = srt.substr(at, end - at);
    const std::size_t timing = block.find('\n') + 1;
    const std::size_t text = block.find('\n', timing) + 1;
    cues.push_back(
        {ms(block.substr(timing, 12)), ms(block.substr(timing + 17, 12)), block.substr(text)});
    at = end + 2;
  }
  return cues;
}

class Hints : public ::testing::TestWithParam<Case> {};

TEST_P(Hints, NameWhatTheTimelineChanges) {
  const Case& c = GetParam();
  const std::filesystem::path path = std::filesystem::path(CAPLIFT_CORPUS_DIR) / c.name;
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR;
  const std::string document = test::readBytes(path.string());
  const Converted plain = convert(document, false);
  const Converted placed = convert(document, true);
  const DocumentNotes& notes = plain.report.notes;
  EXPECT_EQ(written(notes), test::joined(c, "notes").value_or(""));
  ASSERT_GT(notes.projects, 0U);
  if (plain.report.cues != 0 && notes.placesElsewhere()) {
    EXPECT_NE(plain.srt, placed.srt);
    return;
  }
  // Nothing noticed: the timeline only moves a time onto the frame it falls in.
  const auto one = cuesOf(plain.srt);
  const auto other = cuesOf(placed.srt);
  ASSERT_EQ(one.size(), other.size()) << placed.srt;
  for (std::size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(one[i].text, other[i].text);
    EXPECT_LE(std::labs(one[i].start - other[i].start), 42) << one[i].text;
    EXPECT_LE(std::labs(one[i].end - other[i].end), 42) << one[i].text;
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, Hints,
                         ::testing::ValuesIn(test::loadCases(CAPLIFT_CONVERT_DATA "/hints.cases")),
                         test::caseName<::testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift
