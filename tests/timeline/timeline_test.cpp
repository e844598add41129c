// The timeline mode against subtitles worked out by hand: the documents in cases/, one or more per
// rule, and placements in the corpus listed in corpus_placements.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "convert/conversion.h"
#include "tests/convert/test_io.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

namespace fs = std::filesystem;
using test::readBytes;

// The SubRip text, or "! refused: <why>" or "! no project (projects: ...)". Comments in the
// document set options: "<!-- project: NAME -->", "<!-- source: titles|captions|all -->",
// "<!-- role: NAME -->" (again for more), "<!-- list roles -->", "<!-- default mode -->".
std::string outcome(const std::string& document, std::size_t chunk, ConversionReport& report) {
  ConversionOptions options;
  options.timeline.emplace();
  for (std::size_t at = 0; (at = document.find("<!-- ", at)) != std::string::npos;) {
    at += 5;
    const std::string comment = document.substr(at, document.find(" -->", at) - at);
    const std::string key = comment.substr(0, comment.find(": "));
    const std::string value = comment.substr(std::min(key.size() + 2, comment.size()));
    if (key == "project") options.timeline->project = value;
    if (key == "role") options.roles.push_back(value);
    if (key == "source") {
      options.source = value == "all"        ? CueSource::kAll
                       : value == "captions" ? CueSource::kCaptions
                                             : CueSource::kTitles;
    }
    options.listRoles = options.listRoles || key == "list roles";
    if (key == "default mode") options.timeline.reset();
  }
  testing_io::ChunkedSource source(document, chunk);
  testing_io::RecordingSink sink;
  if (auto failure = convertDocument(source, sink, options, &report)) {
    return "! refused: " + failure->description() + "\n";
  }
  const TimelineResult& result = report.placed;
  if (!options.timeline || result.project) return sink.text;
  std::string text = "! no project";
  for (std::size_t i = 0; i < result.projects.size(); ++i) {
    text += (i == 0 ? " (projects: " : ", ") + result.projects[i];
  }
  return text + (result.projects.empty() ? "\n" : ")\n");
}

TEST(TimelineCases, GiveTheSubtitlesWorkedOutByHand) {
  std::size_t cases = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(CAPLIFT_TIMELINE_DATA) / "cases")) {
    if (entry.path().extension() != ".fcpxml") continue;
    const std::string document = readBytes(entry.path());
    fs::path expected = entry.path();
    // Whole, and in small reads that split every text and attribute somewhere.
    for (std::size_t chunk : {std::size_t(1) << 16, std::size_t(3)}) {
      ConversionReport report;
      EXPECT_EQ(outcome(document, chunk, report), readBytes(expected.replace_extension(".srt")))
          << entry.path().filename();
    }
    ++cases;
  }
  EXPECT_GE(cases, 34u);
}

TEST(TimelineCorpus, PlacesTitlesWhereWorkedOutByHand) {
  if (!fs::is_directory(CAPLIFT_CORPUS_DIR)) {
    GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR << "; skipping the real exports";
  }
  std::istringstream table(readBytes(fs::path(CAPLIFT_TIMELINE_DATA) / "corpus_placements.txt"));
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 3) {
      bar = line.find(" | ", at);
      fields.push_back(line.substr(at, bar - at));
    }
    ASSERT_GE(fields.size(), 5u) << line;
    // Options as comments after the document: "<!-- source: captions --><!-- default mode -->".
    const std::string document =
        readBytes(fs::path(CAPLIFT_CORPUS_DIR) / fields[0]) + (fields.size() > 5 ? fields[5] : "");
    ConversionReport report;
    const std::string srt = "\n" + outcome(document, document.size(), report);
    EXPECT_EQ(report.cues, std::stoul(fields[1])) << line;
    if (fields[2] == "0") continue;
    const std::string number = fields[2] == "-" ? "" : fields[2] + "\n";
    const std::string cue = "\n" + number + fields[3] + "\n" + fields[4] + "\n";
    EXPECT_NE(srt.find(cue), std::string::npos) << line << " has no cue" << cue;
  }
}

}  // namespace
}  // namespace caplift
