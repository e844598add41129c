// Every real export of the corpus: streaming equals reference, byte for byte, whatever the chunks.
#include <gtest/gtest.h>

#include <cstdio>

#include "convert/extract_srt.h"
#include "tests/convert/corpus_files.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

namespace fs = std::filesystem;

class Corpus : public ::testing::Test {
 protected:
  void SetUp() override {
    documents_ = testing_io::corpusInputs();
    if (documents_.empty()) {
      GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR
                   << " (set CAPLIFT_CORPUS_DIR); skipping the real exports";
    }
  }
  std::vector<fs::path> documents_;
};

TEST_F(Corpus, StreamingEqualsReference) {
  for (const fs::path& path : documents_) {
    const std::string document = testing_io::readDocument(path);
    const ExtractResult streamed = extractSRT(document);
    ASSERT_TRUE(streamed.ok()) << path << ": " << streamed.failure->description();
    EXPECT_EQ(streamed.srt, reference::extractSRT(document).srt) << path;
  }
  std::printf("[ compared ] %zu corpus documents\n", documents_.size());
  EXPECT_EQ(documents_.size(), 27u);
}

TEST_F(Corpus, ChunkSizeChangesNothing) {
  for (const fs::path& path : documents_) {
    const std::string document = testing_io::readDocument(path);
    const std::string whole = extractSRT(document).srt;
    for (std::size_t chunk : {1, 3, 7}) {
      EXPECT_EQ(testing_io::convertInChunks(document, chunk).srt, whole)
          << path << " chunk " << chunk;
    }
  }
}

TEST_F(Corpus, RealRunsKeepTheirLineBreaks) {
  const fs::path sample = fs::path(CAPLIFT_CORPUS_DIR) / "openfcpxmlkit/TimelineSample.fcpxml";
  if (!fs::exists(sample)) GTEST_SKIP() << sample << " not in the corpus";
  const std::string srt = extractSRT(testing_io::readDocument(sample)).srt;
  EXPECT_NE(srt.find("Chocolats du CaliBressan\nThe French Chocolatier"), std::string::npos) << srt;
  EXPECT_EQ(srt.find("CaliBressanThe"), std::string::npos) << srt;
  EXPECT_EQ(srt.find("CaliBressanLe"), std::string::npos) << srt;
}

}  // namespace
}  // namespace caplift
