// The streaming interface: failures of the source and the sink, and how the text flows.
#include <gtest/gtest.h>

#include <string>

#include "convert/extract_srt.h"
#include "tests/convert/test_io.h"

namespace caplift {
namespace {

using testing_io::ChunkedSource;
using testing_io::RecordingSink;

std::string manyTitles(int count) {
  std::string document = "<fcpxml><spine>";
  for (int i = 0; i < count; ++i) {
    document += "<title offset='" + std::to_string(i) + "s' duration='1s' name='Title " +
                std::to_string(i) + "'><text><text-style>Line of text number " + std::to_string(i) +
                "</text-style></text></title>";
  }
  return document + "</spine></fcpxml>";
}

TEST(Stream, ReadFailureIsReportedWithTheSourceDescription) {
  const std::string document = manyTitles(10);
  for (std::size_t failAt : {std::size_t{0}, std::size_t{2}, std::size_t{100}, document.size()}) {
    ChunkedSource source(document, 64, failAt);
    RecordingSink sink;
    const auto failure = convertStream(source, sink);
    ASSERT_TRUE(failure.has_value()) << failAt;
    EXPECT_EQ(failure->kind, ConversionFailure::Kind::kRead);
    EXPECT_EQ(failure->description(), "disk on fire");
  }
}

TEST(Stream, WriteFailureStopsTheConversion) {
  std::string entities = "<!DOCTYPE c [<!ENTITY t \"<title name='from an entity'/>\">]><c>";
  for (int i = 0; i < 5000; ++i) entities += "&t;";
  // Many titles; the same from an entity's content; a small document whose only write is the last.
  for (const std::string& document :
       {manyTitles(20000), entities + "</c>", std::string("<title/>")}) {
    ChunkedSource source(document, 4096);
    RecordingSink sink(1);
    const auto failure = convertStream(source, sink);
    ASSERT_TRUE(failure.has_value()) << document.substr(0, 80);
    EXPECT_EQ(failure->kind, ConversionFailure::Kind::kWrite);
    EXPECT_EQ(sink.writes(), 1u);
  }
}

TEST(Stream, TextFlowsInLargePiecesBeforeTheInputEnds) {
  const std::string document = manyTitles(20000);
  ChunkedSource source(document, 4096);
  RecordingSink sink;
  ConversionStats stats;
  ASSERT_FALSE(convertStream(source, sink, &stats).has_value());
  EXPECT_EQ(stats.cues, 20000u);
  EXPECT_EQ(sink.text(), extractSRT(document).srt);
  const std::size_t writes = sink.writes();
  EXPECT_GT(writes, 1u);                              // streamed, not kept to the end
  EXPECT_LE(writes, sink.text().size() / 16384 + 1);  // in large pieces
  EXPECT_EQ(source.readsAfterEnd(), 0u);              // a terminal would wait for more
}

}  // namespace
}  // namespace caplift
