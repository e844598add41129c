// Styles kept as tags, against data/styles.cases, in both modes; and the styled title of a real
// export.
#include <gtest/gtest.h>

#include <filesystem>

#include "convert/conversion.h"
#include "convert/io/memory_io.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

using test::Case;
using test::joined;

std::string convert(const std::string& document, const ConversionOptions& options) {
  MemorySource source(document);
  StringSink sink;
  const auto failure = convertDocument(source, sink, options);
  return failure ? "refused " + failure->description() : sink.text();
}

class Styles : public ::testing::TestWithParam<Case> {};

TEST_P(Styles, TagTheRuns) {
  const Case& c = GetParam();
  const std::string document = "<fcpxml>" + joined(c, "before").value_or("") +
                               "<library><event><project name='P'><sequence><spine>"
                               "<title offset='0s' duration='1s' name='Name'>" +
                               joined(c, "doc").value_or("") +
                               "</title></spine></sequence></project></event></library>" +
                               joined(c, "after").value_or("") + "</fcpxml>";
  ConversionOptions options;
  options.styles = parseStyleList(joined(c, "style").value_or("all")).value();
  for (const bool timeline : {false, true}) {
    options.timeline = timeline ? std::optional(TimelineOptions{}) : std::nullopt;
    if (const auto srt = joined(c, "srt")) {
      options.format = formatNamed("srt");
      EXPECT_EQ(convert(document, options), "1\n00:00:00,000 --> 00:00:01,000\n" + *srt + "\n\n")
          << (timeline ? "timeline" : "default");
    }
    if (const auto vtt = joined(c, "vtt")) {
      options.format = formatNamed("vtt");
      EXPECT_EQ(convert(document, options),
                "WEBVTT\n\n00:00:00.000 --> 00:00:01.000\n" + *vtt + "\n\n")
          << (timeline ? "timeline" : "default");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Styles,
                         ::testing::ValuesIn(test::loadCases(CAPLIFT_CONVERT_DATA "/styles.cases")),
                         test::caseName<::testing::TestParamInfo<Case>>);

TEST(StylesInTheCorpus, TheSampleTitleKeepsItsFirstLineStyled) {
  const std::filesystem::path path =
      std::filesystem::path(CAPLIFT_CORPUS_DIR) / "openfcpxmlkit/TimelineSample.fcpxml";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR;
  const std::string document = test::readBytes(path.string());
  const std::string styled =
      "<font color=\"#b00017\"><b><i>Chocolats du CaliBressan</i></b></font>\n"
      "Le chocolatier français de la Riviera américaine\n\n";
  ConversionOptions options;
  options.styles = kKeepAll;
  options.timeline.emplace();
  EXPECT_EQ(convert(document, options), "1\n00:00:00,000 --> 00:00:04,338\n" + styled);
  // The default mode also gives the disabled outer title, whose text holds the inner one's.
  options.timeline.reset();
  const std::string all = convert(document, options);
  EXPECT_TRUE(all.starts_with("1\n00:00:00,000 --> 00:00:04,004\n" +
                              styled.substr(0, styled.find('\n') + 1)));
  EXPECT_TRUE(all.ends_with("01:00:07,938\n" + styled)) << all;
}

}  // namespace
}  // namespace caplift
