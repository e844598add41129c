// Entities of plain text are expanded anew at every reference, which libxml2's own limits let
// through: all expansions together are held to ten times the document's size.
#include <gtest/gtest.h>

#include "convert/extract_srt.h"
#include "fuzz/checks/conversion_check.h"
#include "tests/hostile/hostile_documents.h"

namespace caplift::testing {
namespace {

TEST(EntityExpansion, ABlowUpIsRefusedTheSameWayByEveryReader) {
  // 20 MB of text from a 40 kB document: small enough for the tree-based reference.
  const std::string document = quadraticBlowup(10000, 2000);
  EXPECT_EQ(fuzz::checkConversion(document), "");
  const ExtractResult result = extractSRT(document);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kParse);
  EXPECT_NE(result.failure->description().find("ten times the document's size"), std::string::npos)
      << result.failure->description();
  EXPECT_EQ(result.failure->description().rfind("line 2, column ", 0), 0u)
      << result.failure->description();
}

TEST(EntityExpansion, OrdinaryUseStaysWellBelowTheLimit) {
  struct Case {
    std::size_t entityBytes;
    std::size_t references;
  } const kCases[] = {
      {10, 1000},    // many small ones
      {100000, 10},  // a few large ones: a MiB from a 100 kB document
  };
  for (const Case& c : kCases) {
    const std::string document = quadraticBlowup(c.entityBytes, c.references);
    const ExtractResult result = extractSRT(document);
    ASSERT_TRUE(result.ok()) << c.entityBytes << " x " << c.references << ": "
                             << result.failure->description();
    EXPECT_GT(result.srt.size(), c.entityBytes * c.references);
    EXPECT_EQ(fuzz::checkConversion(document), "");
  }
}

}  // namespace
}  // namespace caplift::testing
