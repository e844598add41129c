// Every real export of the corpus: streaming equals reference, byte for byte, whatever the chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "convert/extract_srt.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> corpusDocuments() {
  std::vector<fs::path> documents;
  std::error_code error;
  const fs::path folder = CAPLIFT_CORPUS_DIR;
  if (!fs::is_directory(folder, error)) return documents;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".fcpxml" || extension == ".xml")) {
      documents.push_back(entry.path());
    }
  }
  std::sort(documents.begin(), documents.end());
  return documents;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class Corpus : public ::testing::Test {
 protected:
  void SetUp() override {
    documents_ = corpusDocuments();
    if (documents_.empty()) {
      GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR
                   << " (set CAPLIFT_CORPUS_DIR); skipping the real exports";
    }
  }
  std::vector<fs::path> documents_;
};

TEST_F(Corpus, StreamingEqualsReference) {
  for (const fs::path& path : documents_) {
    const std::string document = readFile(path);
    const ExtractResult streamed = extractSRT(document);
    ASSERT_TRUE(streamed.ok()) << path << ": " << streamed.failure->description;
    EXPECT_EQ(streamed.srt, reference::extractSRT(document).srt) << path;
  }
  std::printf("[ compared ] %zu corpus documents\n", documents_.size());
  EXPECT_EQ(documents_.size(), 27u);
}

TEST_F(Corpus, ChunkSizeChangesNothing) {
  for (const fs::path& path : documents_) {
    const std::string document = readFile(path);
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
  const std::string srt = extractSRT(readFile(sample)).srt;
  EXPECT_NE(srt.find("Chocolats du CaliBressan\nThe French Chocolatier"), std::string::npos) << srt;
  EXPECT_EQ(srt.find("CaliBressanThe"), std::string::npos) << srt;
  EXPECT_EQ(srt.find("CaliBressanLe"), std::string::npos) << srt;
}

}  // namespace
}  // namespace caplift
