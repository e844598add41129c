// The conversion against data/conversions.cases: each document whole, in small reads and by the
// reference.
#include <gtest/gtest.h>

#include "convert/conversion.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

using test::Case;
using test::joined;

std::string outcome(const ExtractResult& result) {
  return result.ok() ? result.srt : "refused " + result.failure->description();
}

class Conversion : public ::testing::TestWithParam<Case> {};

TEST_P(Conversion, GivesTheExpectedText) {
  const Case& c = GetParam();
  const auto srt = joined(c, "srt"), refused = joined(c, "refused");
  const std::string expected = refused ? "refused " + *refused : srt ? *srt + "\n" : "";
  const std::string document = joined(c, "doc").value_or("");
  EXPECT_EQ(outcome(extractSRT(document)), expected);
  for (std::size_t chunk : {1, 2, 3}) {
    EXPECT_EQ(outcome(testing_io::convertInChunks(document, chunk)), expected)
        << chunk << "-byte reads";
  }
  EXPECT_EQ(outcome(reference::extractSRT(document)), expected) << "reference";
  if (const auto vtt = joined(c, "vtt")) {
    testing_io::ChunkedSource source(document, document.size());
    testing_io::RecordingSink sink;
    ConversionOptions options;
    options.format = formatNamed("vtt");
    ASSERT_FALSE(convertDocument(source, sink, options));
    EXPECT_EQ(sink.text, *vtt + "\n") << "WebVTT";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Conversion,
                         ::testing::ValuesIn(test::loadCases(CAPLIFT_CONVERT_DATA
                                                             "/conversions.cases")),
                         test::caseName<::testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift
