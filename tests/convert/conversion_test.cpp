// The conversion against the tables of data/: each document of conversions.cases whole, in small
// reads and by the reference; each of hostile.cases whole, in a child that must neither crash nor
// hang, within a memory bound that only a blow-up breaks.
#include <gtest/gtest.h>

#include <cstdio>

#include "convert/extract_srt.h"
#include "convert/memory_io.h"
#include "convert/timeline.h"
#include "tests/convert/test_io.h"
#include "tests/hostile/child_process.h"
#include "tests/reference/reference_extract.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

using test::Case;
using test::joined;

std::string outcome(const ExtractResult& result) {
  return result.ok() ? result.srt : "refused " + result.failure->description();
}

struct Discard : TextSink {
  bool write(std::string_view) override { return true; }
};

// What the child reports for a hostile document: its size, a line feed, then the outcome.
std::string convertHostile(const Case& c) {
  const std::string document = joined(c, "doc").value_or("");
  MemorySource source(document);
  Discard sink;
  ConversionStats stats;
  TimelineResult timeline;
  const auto failure = joined(c, "timeline") ? convertTimeline(source, sink, {}, &timeline)
                                             : convertStream(source, sink, &stats);
  return std::to_string(document.size()) + "\n" +
         (failure ? "refused " + failure->description()
                  : "cues " + std::to_string(stats.cues + timeline.cues));
}

void expectHostile(const Case& c, const std::string& expected) {
  const long baseline = testing::baselineRssKiB();
  const testing::ChildOutcome child = testing::runInChild([&] { return convertHostile(c); });
  ASSERT_FALSE(child.timedOut);
  ASSERT_TRUE(child.finished) << "signal " << child.signal << ": " << child.report;
  const std::size_t feed = child.report.find('\n');
  const double inputMiB = std::stod(child.report.substr(0, feed)) / (1 << 20);
  const double peakMiB = static_cast<double>(child.peakRssKiB - baseline) / 1024;
  std::printf("[ hostile  ] %.1f MiB in, peak %.1f MiB above a bare child's %.1f MiB\n", inputMiB,
              peakMiB, static_cast<double>(baseline) / 1024);
  EXPECT_EQ(child.report.substr(feed + 1), expected);
  // Generous: the text may be copied a few times on its way, but never multiplied.
  EXPECT_LT(peakMiB, 16 * inputMiB + 64);
}

class Conversion : public ::testing::TestWithParam<Case> {};

TEST_P(Conversion, GivesTheExpectedText) {
  const Case& c = GetParam();
  const auto srt = joined(c, "srt"), refused = joined(c, "refused"), cues = joined(c, "cues");
  const std::string expected = refused ? "refused " + *refused
                               : cues  ? "cues " + *cues
                               : srt   ? *srt + "\n"
                                       : "";
  if (joined(c, "hostile")) return expectHostile(c, expected);
  const std::string document = joined(c, "doc").value_or("");
  EXPECT_EQ(outcome(extractSRT(document)), expected);
  for (std::size_t chunk : {1, 2, 3}) {
    EXPECT_EQ(outcome(testing_io::convertInChunks(document, chunk)), expected)
        << chunk << "-byte reads";
  }
  EXPECT_EQ(outcome(reference::extractSRT(document)), expected) << "reference";
}

std::vector<Case> cases() {
  std::vector<Case> all = test::loadCases(CAPLIFT_CONVERT_DATA "/conversions.cases");
  for (Case& hostile : test::loadCases(CAPLIFT_CONVERT_DATA "/hostile.cases")) {
    hostile.lines.push_back({0, "hostile", ""});
    all.push_back(std::move(hostile));
  }
  return all;
}

INSTANTIATE_TEST_SUITE_P(Table, Conversion, ::testing::ValuesIn(cases()),
                         test::caseName<::testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift
