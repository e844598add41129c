// Bytes that are no text: NUL wherever it stands, and invalid UTF-8 at the very start or after
// much output. Both conversions refuse them alike, with a message that says where.
#include <gtest/gtest.h>

#include <string>

#include "convert/extract_srt.h"
#include "fuzz/checks/conversion_check.h"
#include "tests/hostile/hostile_documents.h"

namespace caplift::testing {
namespace {

using namespace std::string_literals;

TEST(MalformedBytes, NulIsRefusedWhereverItStandsWithItsOffset) {
  // A NUL in an attribute value is covered with the parser policy; these are the other places.
  // After the root element, libxml2 alone would take the NUL for the end of the text.
  const std::string kDocuments[] = {
      "\0<fcpxml/>"s,
      "<\0fcpxml/>"s,
      "<fcpxml><title><text><text-style>a\0b</text-style></text></title></fcpxml>"s,
      "<fcpxml><!-- \0 --><title/></fcpxml>"s,
      "<fcpxml><![CDATA[\0]]><title/></fcpxml>"s,
      "<fcpxml><title/></fcpxml>\0"s,
      "<fcpxml><title/></fcpxml>\n\0\0\0\0"s,
      "<fcpxml><title/></fcpxml>\0<title name='after'/>junk<<"s,
      std::string(4096, '\0'),
  };
  for (const std::string& document : kDocuments) {
    SCOPED_TRACE(::testing::PrintToString(document));
    EXPECT_EQ(fuzz::checkConversion(document), "");
    const ExtractResult result = extractSRT(document);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kParse);
    EXPECT_EQ(result.failure->description(), "a NUL byte at byte offset " +
                                                 std::to_string(document.find('\0')) +
                                                 ", which XML does not allow");
  }
}

TEST(MalformedBytes, InvalidUtf8AtTheStartIsReportedAtOffsetZero) {
  const std::string kDocuments[] = {
      "\xFF<fcpxml/>",
      "\x80<fcpxml/>",
      "\xC0\xAF<fcpxml/>",
      "\xED\xA0\x80<fcpxml/>",
      "\xF4\x90\x80\x80<fcpxml/>",
      "\xEF\xBB<fcpxml/>",  // half a byte-order mark
  };
  for (const std::string& document : kDocuments) {
    SCOPED_TRACE(::testing::PrintToString(document));
    EXPECT_EQ(fuzz::checkConversion(document), "");
    const ExtractResult result = extractSRT(document);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kNotUtf8);
    EXPECT_EQ(result.failure->description(),
              "not valid UTF-8: invalid byte sequence at byte offset 0");
  }
}

TEST(MalformedBytes, InvalidUtf8AtTheEndOfALargeExportOutranksItsText) {
  // Some megabytes of good titles first: the conversion has written much by the time it meets
  // the bad byte, and must still give nothing but the failure.
  std::string document = smallExport();
  const std::size_t close = document.rfind("</fcpxml>");
  std::string titles;
  while (titles.size() < (3 << 20)) {
    titles += "<title offset='1s' name='n'><text><text-style>Hi</text-style></text></title>\n";
  }
  document.insert(close, titles);
  for (const std::string& tail : {"\xE9"s, "\xF0\x9F\x98"s}) {
    const std::string bad = document + tail;
    const ExtractResult result = extractSRT(bad);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kNotUtf8);
    EXPECT_TRUE(result.srt.empty());
    EXPECT_NE(result.failure->description().find("byte offset " + std::to_string(document.size())),
              std::string::npos)
        << result.failure->description();
  }
}

}  // namespace
}  // namespace caplift::testing
