// Documents built to hurt: each is refused with a message or converted, in a child process that
// must neither crash nor hang, within a memory bound that only a blow-up breaks. The peak memory
// of each is printed; the sanitizers add up to a third to it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "convert/extract_srt.h"
#include "convert/memory_io.h"
#include "convert/timeline.h"
#include "tests/hostile/child_process.h"
#include "tests/hostile/hostile_documents.h"

namespace caplift::testing {
namespace {

constexpr std::size_t kMiB = 1 << 20;

enum class Outcome { kConverted, kRefused };

struct HostileCase {
  const char* name;
  std::function<std::string()> make;
  Outcome outcome;
  const char* detail;  // part of the refusal's description, or of nothing
  bool timeline = false;
};

ExtractResult extractTimeline(std::string_view document) {
  MemorySource source(document);
  StringSink sink;
  ExtractResult result;
  result.failure = convertTimeline(source, sink);
  result.srt = sink.text();
  return result;
}

// What the child reports: the input size, a line feed, then the outcome and its time.
std::string convertAndDescribe(const HostileCase& c) {
  std::string document = c.make();
  const std::size_t size = document.size();
  const auto started = std::chrono::steady_clock::now();
  const ExtractResult result = c.timeline ? extractTimeline(document) : extractSRT(document);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - started)
                      .count();
  std::string report = std::to_string(size) + "\n";
  report += result.ok() ? "converted " + std::to_string(result.srt.size()) + " bytes"
                        : "refused: " + result.failure->description();
  return report + " (" + std::to_string(ms) + " ms)";
}

TEST(HostileDocuments, AreRefusedOrConvertedWithoutCrashHangOrBlowUp) {
  const HostileCase kCases[] = {
      {"billion laughs", billionLaughs, Outcome::kRefused, ""},
      {"quadratic blow-up (100 kB entity, 100000 references)",
       [] { return quadraticBlowup(100000, 100000); }, Outcome::kRefused,
       "entities expand to more than ten times the document's size"},
      {"100000-deep nesting", [] { return deepNesting(100000); }, Outcome::kRefused,
       "nested too deeply (at most 256 levels)"},
      {"10 MiB name", [] { return hugeAttribute("name", 10 * kMiB); }, Outcome::kRefused, ""},
      {"10 MiB offset", [] { return hugeAttribute("offset", 10 * kMiB); }, Outcome::kRefused, ""},
      {"100 MiB text node", [] { return hugeText(100 * kMiB); }, Outcome::kConverted, ""},
      {"100 MiB of character references", [] { return hugeCharacterReferences(100 * kMiB); },
       Outcome::kConverted, ""},
      {"timeline: compounds using each other ten times, twenty deep",
       [] { return compoundBomb(10, 20); }, Outcome::kRefused,
       "compound or multicam clips use each other too often", true},
  };
  const long baseline = baselineRssKiB();
  for (const HostileCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const ChildOutcome child = runInChild([&] { return convertAndDescribe(c); });
    ASSERT_FALSE(child.timedOut);
    ASSERT_TRUE(child.finished) << "signal " << child.signal << ": " << child.report;
    const std::size_t feed = child.report.find('\n');
    const double inputMiB = std::stod(child.report.substr(0, feed)) / kMiB;
    const std::string result = child.report.substr(feed + 1);
    const double peakMiB = static_cast<double>(child.peakRssKiB - baseline) / 1024;
    std::printf("[ hostile  ] %s: %.1f MiB in, peak %.1f MiB above a bare child's %.1f MiB; %s\n",
                c.name, inputMiB, peakMiB, static_cast<double>(baseline) / 1024, result.c_str());

    if (c.outcome == Outcome::kConverted) {
      EXPECT_EQ(result.rfind("converted ", 0), 0u) << result;
    } else {
      EXPECT_EQ(result.rfind(c.timeline ? "refused: " : "refused: line ", 0), 0u) << result;
      EXPECT_NE(result.find(c.detail), std::string::npos) << result;
    }
    // Generous: the text may be copied a few times on its way, but never multiplied.
    EXPECT_LT(peakMiB, 16 * inputMiB + 64);
  }
}

}  // namespace
}  // namespace caplift::testing
