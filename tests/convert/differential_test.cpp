// The checks of the fuzz targets on documents made for them, on the real exports of the corpus, on
// every cut of those, and on the inputs the fuzzers once stopped on (fuzz/regressions/<target>/).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "fuzz/checks/checks.h"
#include "tests/reference/document_generator.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

namespace fs = std::filesystem;

TEST(Differential, GeneratedDocuments) {
  for (int i = 0; i < 5000; ++i) {
    const std::string document = reference::generatedDocument(i);
    ASSERT_EQ(fuzz::checkConversion(document), "") << "document " << i << ":\n" << document;
  }
}

TEST(Differential, RealExportsAndEveryCutOfOne) {
  if (!fs::is_directory(CAPLIFT_CORPUS_DIR))
    GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR;
  // The exports, and the documents of the .fcpxmld bundles.
  for (const auto& entry : fs::recursive_directory_iterator(CAPLIFT_CORPUS_DIR)) {
    if (entry.path().extension() != ".fcpxml") continue;
    const fs::path& path = entry.path();
    const std::string document = test::readBytes(path);
    EXPECT_EQ(fuzz::checkConversion(document), "") << path;
    EXPECT_EQ(fuzz::checkTimeline(document), "") << path;
  }
  // As a copy that stopped half-way leaves it.
  const std::string cut =
      test::readBytes(fs::path(CAPLIFT_CORPUS_DIR) / "swift-fcpxml/TitlesRoles.fcpxml");
  for (std::size_t length = 0; length <= cut.size(); ++length) {
    ASSERT_EQ(fuzz::checkConversion(cut.substr(0, length)), "") << "cut at " << length;
  }
}

TEST(Differential, InputsTheFuzzersStoppedOn) {
  const std::map<fs::path, std::string (*)(std::string_view)> checks = {
      {"convert", fuzz::checkConversion},
      {"time", fuzz::checkTime},
      {"timeline", fuzz::checkTimeline}};
  std::size_t replayed = 0;
  for (const auto& entry : fs::recursive_directory_iterator(CAPLIFT_FUZZ_REGRESSIONS)) {
    if (const auto check = checks.find(entry.path().parent_path().filename());
        check != checks.end()) {
      EXPECT_EQ(check->second(test::readBytes(entry.path())), "") << entry.path();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0u);
}

}  // namespace
}  // namespace caplift
