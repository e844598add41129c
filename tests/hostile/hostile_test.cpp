// The documents of hostile.cases, each in a child that must neither crash nor hang, within a memory
// bound that only a blow-up breaks.
#include <gtest/gtest.h>

#include <cstdio>

#include "convert/memory_io.h"
#include "convert/timeline.h"
#include "tests/hostile/child_process.h"
#include "tests/support/case_file.h"

namespace caplift::testing {
namespace {

using test::Case;

struct Discard : TextSink {
  bool write(std::string_view) override { return true; }
};

// What the child reports: the document's size, a line feed, then the outcome.
std::string convert(const Case& c) {
  const std::string document = test::joined(c, "doc").value_or("");
  MemorySource source(document);
  Discard sink;
  ConversionStats stats;
  TimelineResult timeline;
  const auto failure = test::joined(c, "timeline") ? convertTimeline(source, sink, {}, &timeline)
                                                   : convertStream(source, sink, &stats);
  return std::to_string(document.size()) + "\n" +
         (failure ? "refused " + failure->description()
                  : "cues " + std::to_string(stats.cues + timeline.cues));
}

class Hostile : public ::testing::TestWithParam<Case> {};

TEST_P(Hostile, IsRefusedOrConvertedWithoutCrashHangOrBlowUp) {
  const Case& c = GetParam();
  const auto refused = test::joined(c, "refused");
  const std::string expected = refused ? "refused " + *refused : "cues " + *test::joined(c, "cues");
  const long baseline = baselineRssKiB();
  const ChildOutcome child = runInChild([&] { return convert(c); });
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

INSTANTIATE_TEST_SUITE_P(Table, Hostile,
                         ::testing::ValuesIn(test::loadCases(CAPLIFT_HOSTILE_CASES)),
                         test::caseName<::testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift::testing
