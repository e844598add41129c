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

// The SubRip text, or "! refused: <why>" or "! no project (projects: ...)". A comment
// "<!-- project: NAME -->" in the document asks for that project.
std::string outcome(const std::string& document, std::size_t chunk, TimelineResult& result) {
  TimelineOptions options;
  const std::string directive = "<!-- project: ";
  if (std::size_t at = document.find(directive); at != std::string::npos) {
    at += directive.size();
    options.project = document.substr(at, document.find(" -->", at) - at);
  }
  testing_io::ChunkedSource source(document, chunk);
  testing_io::RecordingSink sink;
  if (auto failure = convertTimeline(source, sink, options, &result)) {
    return "! refused: " + failure->description() + "\n";
  }
  if (result.project) return sink.text;
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
    TimelineResult result;
    EXPECT_EQ(outcome(document, chunk, result), readBytes(expected.replace_extension(".srt")))
        << "read " << chunk << " bytes at a time";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TimelineCase, ::testing::ValuesIn(timelineCases()),
                         [](const auto& info) { return testName(info.param.stem().string()); });

// One line of corpus_placements.txt, split at " | ".
using Placement = std::vector<std::string>;

std::vector<Placement> corpusPlacements() {
  std::istringstream table(readBytes(fs::path(CAPLIFT_TIMELINE_DATA) / "corpus_placements.txt"));
  std::vector<Placement> placements;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    Placement& fields = placements.emplace_back();
    for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 3) {
      bar = line.find(" | ", at);
      fields.push_back(line.substr(at, bar - at));
    }
    fields.resize(5);
  }
  return placements;
}

class TimelineCorpus : public ::testing::TestWithParam<Placement> {};

TEST_P(TimelineCorpus, PlacesTheTitleWhereWorkedOutByHand) {
  if (!fs::is_directory(CAPLIFT_CORPUS_DIR)) {
    GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR << "; skipping the real exports";
  }
  const Placement& fields = GetParam();
  const std::string document = readBytes(fs::path(CAPLIFT_CORPUS_DIR) / fields[0]);
  TimelineResult result;
  const std::string srt = "\n" + outcome(document, document.size(), result);
  EXPECT_EQ(result.cues, std::stoul(fields[1]));
  if (fields[2] == "0") return;
  const std::string cue = "\n" + fields[2] + "\n" + fields[3] + "\n" + fields[4] + "\n";
  EXPECT_NE(srt.find(cue), std::string::npos) << fields[0] << " has no cue" << cue;
}

INSTANTIATE_TEST_SUITE_P(Placements, TimelineCorpus, ::testing::ValuesIn(corpusPlacements()),
                         [](const auto& info) {
                           return testName(info.param[0] + "_cue_" + info.param[2]);
                         });

}  // namespace
}  // namespace caplift
