// An export cut short at every byte offset, as a copy that stopped half-way leaves it: each piece
// is refused with a message or converted, the same way by every reader, never a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "convert/extract_srt.h"
#include "fuzz/checks/conversion_check.h"
#include "tests/hostile/hostile_documents.h"

namespace caplift::testing {
namespace {

struct Tally {
  std::size_t converted = 0;
  std::size_t refused = 0;
  std::size_t notUtf8 = 0;
};

Tally convertEveryPrefix(const std::string& document) {
  Tally tally;
  for (std::size_t length = 0; length <= document.size(); ++length) {
    const std::string prefix = document.substr(0, length);
    const std::string problem = fuzz::checkConversion(prefix);
    EXPECT_EQ(problem, "") << "cut at " << length;
    if (!problem.empty()) break;
    const ExtractResult result = extractSRT(prefix);
    if (result.ok()) {
      ++tally.converted;
    } else {
      ++tally.refused;
      tally.notUtf8 += result.failure->kind == ConversionFailure::Kind::kNotUtf8;
    }
  }
  std::printf("[ truncated] %zu bytes: %zu cuts converted, %zu refused (%zu inside a character)\n",
              document.size(), tally.converted, tally.refused, tally.notUtf8);
  return tally;
}

TEST(Truncation, EveryCutOfASmallExportIsRefusedOrConverted) {
  const std::string document = smallExport();
  const Tally tally = convertEveryPrefix(document);
  // Only the cuts after the root's end tag are whole documents: the tag and the final line feed.
  EXPECT_EQ(tally.converted, 2u);
  EXPECT_EQ(tally.refused, document.size() - 1);
  // A cut after any but the last byte of "日本語" and "😀" leaves a character unfinished.
  EXPECT_EQ(tally.notUtf8, 3u * 2 + 3);
}

TEST(Truncation, EveryCutOfARealExportIsRefusedOrConverted) {
  const std::filesystem::path path =
      std::filesystem::path(CAPLIFT_CORPUS_DIR) / "swift-fcpxml" / "TitlesRoles.fcpxml";
  std::ifstream in(path, std::ios::binary);
  if (!in) GTEST_SKIP() << "no sample export at " << path;
  const std::string document((std::istreambuf_iterator<char>(in)), {});
  const Tally tally = convertEveryPrefix(document);
  EXPECT_GE(tally.converted, 1u);
  EXPECT_GT(tally.refused, document.size() / 2);
}

}  // namespace
}  // namespace caplift::testing
