// The timeline mode against subtitles worked out by hand: the documents in cases/, one or more per
// rule, and placements in the corpus listed in corpus_placements.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// Each a test, named after its document.
std::vector<fs::path> timelineCases() {
  std::vector<fs::path> documents;
  for (const auto& entry : fs::directory_iterator(fs::path(CAPLIFT_TIMELINE_DATA) / "cases")) {
    if (entry.path().extension() == ".fcpxml") documents.push_back(entry.path());
  }
  std::sort(documents.begin(), documents.end());
  return documents;
}

std::string testName(std::string name) {
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

class TimelineCase : public ::testing::TestWithParam<fs::path> {};

TEST_P(TimelineCase, GivesTheSubtitlesWorkedOutByHand) {
  const std::string document = readBytes(GetParam());
  fs::path expected = GetParam();
  // Whole, and in small reads that split every text and attribute somewhere.
  for (std::size_t chunk : {std::size_t(1) << 16, std::size_t(3)}) {
    ConversionReport report;
    EXPECT_EQ(outcome(document, chunk, report), readBytes(expected.replace_extension(".srt")))
        << "read " << chunk << " bytes at a time";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TimelineCase, ::testing::ValuesIn(timelineCases()),
                         [](const auto& info) { return testName(info.param.stem().string()); });

// One line of corpus_placements.txt, split at " | ", after its line number.
using Placement = std::vector<std::string>;

std::vector<Placement> corpusPlacements() {
  std::istringstream table(readBytes(fs::path(CAPLIFT_TIMELINE_DATA) / "corpus_placements.txt"));
  std::vector<Placement> placements;
  int number = 0;
  for (std::string line; std::getline(table, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    Placement& fields = placements.emplace_back(1, std::to_string(number));
    for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 3) {
      bar = line.find(" | ", at);
      fields.push_back(line.substr(at, bar - at));
    }
    fields.resize(std::max<std::size_t>(fields.size(), 6));
  }
  return placements;
}

class TimelineCorpus : public ::testing::TestWithParam<Placement> {};

TEST_P(TimelineCorpus, PlacesTheTitleWhereWorkedOutByHand) {
  if (!fs::is_directory(CAPLIFT_CORPUS_DIR)) {
    GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR << "; skipping the real exports";
  }
  const Placement& fields = GetParam();
  // Options as comments after the document: "<!-- source: captions --><!-- default mode -->".
  const std::string document =
      readBytes(fs::path(CAPLIFT_CORPUS_DIR) / fields[1]) + (fields.size() > 6 ? fields[6] : "");
  ConversionReport report;
  const std::string srt = "\n" + outcome(document, document.size(), report);
  EXPECT_EQ(report.cues, std::stoul(fields[2]));
  if (fields[3] == "0") return;
  const std::string number = fields[3] == "-" ? "" : fields[3] + "\n";
  const std::string cue = "\n" + number + fields[4] + "\n" + fields[5] + "\n";
  EXPECT_NE(srt.find(cue), std::string::npos) << fields[1] << " has no cue" << cue;
}

INSTANTIATE_TEST_SUITE_P(Placements, TimelineCorpus, ::testing::ValuesIn(corpusPlacements()),
                         [](const auto& info) {
                           return testName(info.param[1] + "_line_" + info.param[0]);
                         });

}  // namespace
}  // namespace caplift
