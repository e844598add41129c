// The streaming interface: failures of the source and the sink, how the text flows, and documents
// that end anywhere relative to the reads.
#include <gtest/gtest.h>

#include <unistd.h>

#include "convert/conversion.h"
#include "convert/io/spool.h"
#include "tests/convert/test_io.h"

namespace caplift {
namespace {

using testing_io::ChunkedSource;
using testing_io::RecordingSink;

std::string manyTitles(int count) {
  std::string document = "<fcpxml><spine>";
  for (int i = 0; i < count; ++i) {
    document += "<title offset='" + std::to_string(i) + "s' duration='1s'><text><text-style>Line " +
                std::to_string(i) + "</text-style></text></title>";
  }
  return document + "</spine></fcpxml>";
}

TEST(Stream, ReadAndWriteFailuresEndTheConversion) {
  std::string entities = "<!DOCTYPE c [<!ENTITY t \"<title name='from an entity'/>\">]><c>";
  for (int i = 0; i < 5000; ++i) entities += "&t;";
  // Many titles; the same from an entity's content; a small document whose only write is the last.
  for (const std::string& document :
       {manyTitles(20000), entities + "</c>", std::string("<title/>")}) {
    for (std::size_t failAt :
         {std::size_t{0}, std::size_t{2}, document.size() / 2, document.size()}) {
      ChunkedSource source(document, 4096, failAt);
      RecordingSink sink;
      const auto failure = convertStream(source, sink);
      ASSERT_TRUE(failure.has_value()) << failAt;
      EXPECT_EQ(std::pair(failure->kind, failure->description()),
                std::pair(ConversionFailure::Kind::kRead, std::string("disk on fire")));
    }
    ChunkedSource source(document, 4096);
    RecordingSink sink(1);
    const auto failure = convertStream(source, sink);
    ASSERT_TRUE(failure.has_value()) << document.substr(0, 80);
    EXPECT_EQ(std::pair(failure->kind, sink.writes),
              std::pair(ConversionFailure::Kind::kWrite, std::size_t{1}));
  }
}

TEST(Stream, TextFlowsInLargePiecesBeforeTheInputEnds) {
  const std::string document = manyTitles(20000);
  ChunkedSource source(document, 4096);
  RecordingSink sink;
  ConversionReport stats;
  ASSERT_FALSE(convertDocument(source, sink, {}, &stats).has_value());
  EXPECT_EQ(stats.cues, 20000u);
  EXPECT_EQ(sink.text, extractSRT(document).srt);
  EXPECT_GT(sink.writes, 1u);                            // streamed, not kept to the end
  EXPECT_LE(sink.writes, sink.text.size() / 16384 + 1);  // in large pieces
  EXPECT_EQ(source.readsAfterEnd, 0u);                   // a terminal would wait for more
}

TEST(Stream, TheLastCueComesWhereverTheDocumentEnds) {
  // Padded one byte at a time past the size of the parser's reads and the bytes read ahead.
  const std::string cue = "1\n00:00:00,000 --> 00:00:00,000\nlast\n\n";
  for (std::string padding; padding.size() < 9000; padding += ' ') {
    for (std::size_t chunk : {std::size_t{3}, std::size_t{4096}}) {
      ASSERT_EQ(testing_io::convertInChunks("<title name='last'/>" + padding, chunk).srt, cue)
          << padding.size() << " bytes after the title, " << chunk << "-byte reads";
    }
  }
}

// Held-back text past the memory bound goes to a temporary file, so that a large conversion does
// not grow the process, and all of it comes back in order.
TEST(Spool, SpillsPastItsMemoryBoundAndGivesEverythingBack) {
  Spool spool(64);
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\n";
  for (std::size_t at = 0; at < text.size(); at += 7) ASSERT_TRUE(spool.append(text.substr(at, 7)));
  EXPECT_TRUE(spool.spilled());
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  EXPECT_TRUE(spool.copyTo(pipe[1]));
  ::close(pipe[1]);
  std::string copied(text.size() + 1, '\0');
  copied.resize(
      static_cast<std::size_t>(std::max(0L, ::read(pipe[0], copied.data(), copied.size()))));
  ::close(pipe[0]);
  EXPECT_EQ(copied, text);
}

// WebVTT puts cues a little out of order back as they come, and sorts at the end once that would
// take too many moves: both ways give the cues in order of start, ties as they came.
TEST(Stream, WebVttSortsCuesHoweverFarOutOfOrder) {
  for (const int step : {1, 7}) {
    std::string document = "<fcpxml>";
    for (int i = 600; i-- > 0;) {
      const int second = i / step * step;  // runs of `step` alike, in falling order
      document += "<title offset='" + std::to_string(second) + "s' duration='1s' name='" +
                  std::to_string(i) + "'/>";
    }
    document += "</fcpxml>";
    ChunkedSource source(document, 4096);
    RecordingSink sink;
    ConversionOptions options;
    options.format = formatNamed("vtt");
    ASSERT_FALSE(convertDocument(source, sink, options));
    std::string expected = "WEBVTT\n\n";
    for (int second = 0; second < 600; second += step) {
      for (int i = std::min(second + step, 600); i-- > second;) {
        char line[64];
        std::snprintf(line, sizeof line, "00:%02d:%02d.000 --> 00:%02d:%02d.000\n%d\n\n",
                      second / 60, second % 60, (second + 1) / 60, (second + 1) % 60, i);
        expected += line;
      }
    }
    EXPECT_EQ(sink.text, expected) << "runs of " << step;
  }
}

}  // namespace
}  // namespace caplift
