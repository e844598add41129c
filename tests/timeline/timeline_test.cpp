// The timeline mode against subtitles worked out by hand: the documents in cases/, one or more per
// rule, and placements in the corpus listed in corpus_placements.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "convert/timeline.h"
#include "tests/convert/test_io.h"

namespace caplift {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The SubRip text, or "! refused: <why>" or "! no project (projects: ...)". A comment
// "<!-- project: NAME -->" in the document asks for that project.
std::string outcome(const std::string& document, std::size_t chunk) {
  TimelineOptions options;
  const std::string directive = "<!-- project: ";
  if (std::size_t at = document.find(directive); at != std::string::npos) {
    at += directive.size();
    options.project = document.substr(at, document.find(" -->", at) - at);
  }
  testing_io::ChunkedSource source(document, chunk);
  testing_io::RecordingSink sink;
  TimelineResult result;
  if (auto failure = convertTimeline(source, sink, options, &result)) {
    return "! refused: " + failure->description() + "\n";
  }
  if (result.project) return sink.text();
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
    const std::string document = readFile(entry.path());
    fs::path expected = entry.path();
    expected.replace_extension(".srt");
    // Whole, and in small reads that split every text and attribute somewhere.
    for (std::size_t chunk : {std::size_t(1) << 16, std::size_t(3)}) {
      EXPECT_EQ(outcome(document, chunk), readFile(expected)) << entry.path().filename();
    }
    ++cases;
  }
  EXPECT_GE(cases, 24u);
}

struct Cue {
  std::string timing;
  std::string firstLine;
};

std::vector<Cue> cuesOf(const std::string& srt) {
  std::vector<Cue> cues;
  std::istringstream in(srt);
  std::string number;
  while (std::getline(in, number)) {
    if (number.starts_with("! ")) break;  // no project: no cues
    Cue cue;
    std::getline(in, cue.timing);
    std::getline(in, cue.firstLine);
    for (std::string line; std::getline(in, line) && !line.empty();) {
    }
    cues.push_back(cue);
  }
  return cues;
}

TEST(TimelineCorpus, PlacesTitlesWhereWorkedOutByHand) {
  if (!fs::is_directory(CAPLIFT_CORPUS_DIR)) {
    GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR << "; skipping the real exports";
  }
  std::map<std::string, std::vector<Cue>> converted;
  std::istringstream table(readFile(fs::path(CAPLIFT_TIMELINE_DATA) / "corpus_placements.txt"));
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 3) {
      bar = line.find(" | ", at);
      fields.push_back(line.substr(at, bar - at));
    }
    ASSERT_EQ(fields.size(), 5u) << line;
    auto [it, added] = converted.try_emplace(fields[0]);
    if (added) {
      const std::string document = readFile(fs::path(CAPLIFT_CORPUS_DIR) / fields[0]);
      ASSERT_FALSE(document.empty()) << fields[0];
      it->second = cuesOf(outcome(document, document.size()));
    }
    const std::vector<Cue>& cues = it->second;
    ASSERT_EQ(cues.size(), std::stoul(fields[1])) << fields[0];
    const std::size_t number = std::stoul(fields[2]);
    if (number == 0) continue;
    EXPECT_EQ(cues.at(number - 1).timing, fields[3]) << fields[0] << " cue " << number;
    EXPECT_EQ(cues.at(number - 1).firstLine, fields[4]) << fields[0] << " cue " << number;
  }
}

}  // namespace
}  // namespace caplift
