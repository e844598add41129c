// How documents are read: encoding, byte-order mark, entities, DTDs, limits. Each behaviour is
// checked on the streaming conversion and on the tree-based reference, which must agree.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "convert/extract_srt.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

using testing_io::convertInChunks;

// Converts with both implementations; they must give the same text or the same failure.
ExtractResult convertBoth(const std::string& document) {
  const ExtractResult streamed = extractSRT(document);
  const ExtractResult reference = reference::extractSRT(document);
  EXPECT_EQ(streamed.srt, reference.srt) << document;
  EXPECT_EQ(streamed.ok(), reference.ok()) << document;
  if (!streamed.ok() && !reference.ok()) {
    EXPECT_EQ(streamed.failure->description, reference.failure->description);
  }
  return streamed;
}

std::string cueText(const ExtractResult& result) {
  // The third line of the first cue, up to the blank line.
  const std::size_t start = result.srt.find('\n', result.srt.find('\n') + 1) + 1;
  return result.srt.substr(start, result.srt.find("\n\n", start) - start);
}

TEST(ParserPolicy, TextIsUtf8WhateverTheDeclarationSays) {
  for (const char* encoding : {"ISO-8859-1", "UTF-16", "US-ASCII", "EBCDIC-US", "no-such-thing"}) {
    const ExtractResult result = convertBoth(std::string("<?xml version='1.0' encoding='") +
                                             encoding + "'?><title name='caf\xC3\xA9'/>");
    ASSERT_TRUE(result.ok()) << encoding << ": " << result.failure->description;
    EXPECT_EQ(cueText(result), "caf\xC3\xA9") << encoding;
  }
}

TEST(ParserPolicy, ByteOrderMarkIsDropped) {
  const std::string document = "\xEF\xBB\xBF<?xml version='1.0'?><title name='bom'/>";
  EXPECT_EQ(cueText(convertBoth(document)), "bom");
  for (std::size_t chunk : {1, 2, 3, 4}) {
    EXPECT_EQ(cueText(convertInChunks(document, chunk)), "bom") << chunk;
  }
  EXPECT_EQ(cueText(convertBoth("\xEF\xBB\xBF<title name='no declaration'/>")), "no declaration");
  // Only one, only at the start.
  EXPECT_FALSE(convertBoth("\xEF\xBB\xBF\xEF\xBB\xBF<title/>").ok());
  EXPECT_FALSE(convertBoth(" \xEF\xBB\xBF<title/>").ok());
  EXPECT_FALSE(convertBoth("\xEF\xBB\xBF").ok());
  EXPECT_FALSE(convertBoth("\xEF\xBB").ok());
}

TEST(ParserPolicy, FirstBytesNeverSwitchTheEncoding) {
  // Each of these would make libxml2 guess another encoding from the first four bytes.
  const std::string utf16le("<\0t\0i\0t\0l\0e\0/\0>\0", 16);
  const std::string utf16be("\0<\0t\0i\0t\0l\0e\0/\0>", 16);
  const std::string ucs4("\0\0\0<\0\0\0t\0\0\0/\0\0\0>", 16);
  for (const std::string& document : {utf16le, utf16be, ucs4}) {
    const ExtractResult result = convertBoth(document);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kParse);
  }
  // With a UTF-16 or EBCDIC signature the bytes are not even UTF-8.
  using std::string_view_literals::operator""sv;
  for (std::string_view document :
       {"\xFF\xFE<\0t\0/\0>\0"sv, "\xFE\xFF\0<\0t\0/\0>"sv, "\x4C\x6F\xA7\x94"sv}) {
    const ExtractResult result = convertBoth(std::string(document));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kNotUtf8);
  }
}

TEST(ParserPolicy, InvalidUtf8IsReportedWithItsOffsetWhereverItIs) {
  struct Case {
    std::string document;
    const char* description;
  };
  const Case kCases[] = {
      {"<title name='\xE9t\xE9'/>", "not valid UTF-8: invalid byte sequence at byte offset 13"},
      {"<title/>\n<!-- \xC0\xAF -->", "not valid UTF-8: invalid byte sequence at byte offset 14"},
      // Invalid bytes outrank a parse error before them, and the byte-order mark counts.
      {"\xEF\xBB\xBF<a><b></a>\xED\xA0\x80",
       "not valid UTF-8: invalid byte sequence at byte offset 13"},
      {"<title/>\xF0\x9F\x98",
       "not valid UTF-8: the text ends inside a character that starts at byte offset 8"},
  };
  for (const Case& c : kCases) {
    for (std::size_t chunk : {1, 2, 3, 7, 4096}) {
      const ExtractResult result = convertInChunks(c.document, chunk);
      ASSERT_FALSE(result.ok()) << c.document;
      EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kNotUtf8);
      EXPECT_EQ(result.failure->description, c.description) << "chunk " << chunk;
    }
    EXPECT_EQ(reference::extractSRT(c.document).failure->description, c.description);
  }
}

TEST(ParserPolicy, NulIsNotACharacter) {
  const ExtractResult result = convertBoth(std::string("<title name='a\0b'/>", 17));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kParse);
}

class ExternalResources : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ =
        std::filesystem::temp_directory_path() / ("caplift-external-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    write("secret.txt", "SECRET-FILE-CONTENT");
    write("secret.dtd", "<!ENTITY e 'SECRET-DTD-ENTITY'>");
    write("secret.ent", "<text-style>SECRET-ENTITY-ELEMENT</text-style>");
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string path(const char* name) const { return (directory_ / name).string(); }
  void write(const char* name, const char* content) const { std::ofstream(path(name)) << content; }

  std::filesystem::path directory_;
};

TEST_F(ExternalResources, ExternalEntityAddsNothing) {
  const std::string documents[] = {
      "<!DOCTYPE t [<!ENTITY e SYSTEM '" + path("secret.txt") +
          "'>]><title name='n&e;'><text><text-style>a&e;b</text-style></text></title>",
      "<!DOCTYPE t [<!ENTITY e SYSTEM 'file://" + path("secret.ent") +
          "'>]><title><text>x&e;<text-style>y</text-style></text></title>",
      "<!DOCTYPE t PUBLIC '-//x//y' '" + path("secret.ent") +
          "'><title><text><text-style>a</text-style></text></title>",
  };
  const char* const kCueTexts[] = {"ab", "y", "a"};
  for (std::size_t i = 0; i < 3; ++i) {
    const ExtractResult result = convertBoth(documents[i]);
    ASSERT_TRUE(result.ok()) << documents[i] << ": " << result.failure->description;
    EXPECT_EQ(cueText(result), kCueTexts[i]);
  }
}

TEST_F(ExternalResources, ExternalDtdIsNeverRead) {
  const std::string documents[] = {
      "<!DOCTYPE t SYSTEM '" + path("secret.dtd") +
          "'><title><text><text-style>a&e;b</text-style></text></title>",
      "<!DOCTYPE t [<!ENTITY % p SYSTEM '" + path("secret.dtd") +
          "'> %p;]><title><text><text-style>a&e;b</text-style></text></title>",
  };
  for (const std::string& document : documents) {
    const ExtractResult result = convertBoth(document);
    ASSERT_TRUE(result.ok()) << document << ": " << result.failure->description;
    EXPECT_EQ(cueText(result), "ab");
  }
}

TEST(ParserPolicy, NoNetworkAccess) {
  // A listener on the loopback: a parser that fetched the entity or DTD would connect to it.
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  socklen_t length = sizeof address;
  ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/x";

  convertBoth("<!DOCTYPE t SYSTEM '" + url + ".dtd'><title name='&e;'/>");
  convertBoth("<!DOCTYPE t [<!ENTITY e SYSTEM '" + url + ".ent'>]><title name='a'>&e;</title>");
  convertBoth("<!DOCTYPE t [<!ENTITY % p SYSTEM '" + url + ".dtd'> %p;]><title/>");

  pollfd pending{listener, POLLIN, 0};
  EXPECT_EQ(::poll(&pending, 1, 0), 0) << "something connected to " << url;
  ::close(listener);
}

TEST(ParserPolicy, InternalEntitiesExpandAtEveryReference) {
  const ExtractResult result = convertBoth(
      "<!DOCTYPE t [<!ENTITY s '<text-style>E</text-style>'><!ENTITY w '&#x2028; '>"
      "<!ENTITY t \"<title name='inner'>&s;</title>\">]>"
      "<c><title><text>&s;&w;&s;<text-style>&w;x&w;</text-style>&s;</text>&t;&t;</title></c>");
  ASSERT_TRUE(result.ok()) << result.failure->description;
  EXPECT_EQ(result.srt,
            "1\n00:00:00,000 --> 00:00:00,000\nEE\xE2\x80\xA8 x\xE2\x80\xA8 E\n\n"
            "2\n00:00:00,000 --> 00:00:00,000\ninner\n\n"
            "3\n00:00:00,000 --> 00:00:00,000\ninner\n\n");
}

TEST(ParserPolicy, EntityContentTakesTheNamespacesInScopeAtEachReference) {
  // The second reference lies in a default namespace: its title is no title.
  const ExtractResult result = convertBoth(
      "<!DOCTYPE c [<!ENTITY t \"<title name='t'/>\">]><c>&t;<x xmlns='urn:o'>&t;</x>&t;</c>");
  EXPECT_EQ(result.srt,
            "1\n00:00:00,000 --> 00:00:00,000\nt\n\n2\n00:00:00,000 --> 00:00:00,000\nt\n\n");
  // Prefixes declared outside the entity keep their meaning inside it.
  const ExtractResult prefixed = convertBoth(
      "<!DOCTYPE c [<!ENTITY t \"<x:title name='a'/><title x:offset='5s' name='b'/>\">]>"
      "<c xmlns:x='urn:x'>&t;</c>");
  EXPECT_EQ(prefixed.srt, "1\n00:00:00,000 --> 00:00:00,000\nb\n\n");
}

TEST(ParserPolicy, EntityExpansionLimitsStayOn) {
  std::string laughs = "<!DOCTYPE t [<!ENTITY l0 'lol'>";
  for (int i = 1; i <= 12; ++i) {
    const std::string previous = "&l" + std::to_string(i - 1) + ";";
    std::string value;
    for (int k = 0; k < 10; ++k) value += previous;
    laughs += "<!ENTITY l" + std::to_string(i) + " '" + value + "'>";
  }
  laughs += "]><title name='&l12;'><text><text-style>&l12;</text-style></text></title>";
  const ExtractResult result = convertBoth(laughs);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kParse);
  // A loop is refused too.
  EXPECT_FALSE(convertBoth("<!DOCTYPE t [<!ENTITY a '&b;'><!ENTITY b '&a;'>]><t>&a;</t>").ok());
}

TEST(ParserPolicy, NestingDepthLimitStaysOn) {
  auto nested = [](int depth) {
    std::string document;
    for (int i = 0; i < depth; ++i) document += "<title name='d'>";
    for (int i = 0; i < depth; ++i) document += "</title>";
    return document;
  };
  const ExtractResult deep = convertBoth(nested(200));
  ASSERT_TRUE(deep.ok());
  EXPECT_TRUE(deep.srt.ends_with("\n\n200\n00:00:00,000 --> 00:00:00,000\nd\n\n"));
  const ExtractResult tooDeep = convertBoth(nested(300));
  ASSERT_FALSE(tooDeep.ok());
  EXPECT_NE(tooDeep.failure->description.find("depth"), std::string::npos)
      << tooDeep.failure->description;
}

TEST(ParserPolicy, DtdDefaultAttributesAreNotWritten) {
  // Only attributes written on the element count, on both sides.
  const ExtractResult result = convertBoth(
      "<!DOCTYPE c [<!ATTLIST title offset CDATA '7s' name CDATA 'defaulted'>"
      "<!ATTLIST c offset CDATA '100s'>]><c><title duration='1s'/></c>");
  EXPECT_EQ(result.srt, "1\n00:00:00,000 --> 00:00:01,000\n\n\n");
}

TEST(ParserPolicy, DtdAttributeTypesNormaliseValues) {
  const ExtractResult result = convertBoth(
      "<!DOCTYPE c [<!ATTLIST title offset NMTOKEN #IMPLIED>]><c><title offset='  5s  '/></c>");
  EXPECT_EQ(result.srt, "1\n00:00:05,000 --> 00:00:05,000\n\n\n");
}

TEST(ParserPolicy, UndeclaredPrefixIsNoTitle) {
  // Not well-formed in namespaces only: the document is read, "x:title" is no title.
  const ExtractResult result =
      convertBoth("<c><x:title name='a'/><title x:offset='5s' name='b'/><y:text/></c>");
  ASSERT_TRUE(result.ok()) << result.failure->description;
  EXPECT_EQ(result.srt, "1\n00:00:00,000 --> 00:00:00,000\nb\n\n");
}

TEST(ParserPolicy, ReportsNothingOnStandardError) {
  ::testing::internal::CaptureStderr();
  extractSRT("<a><b></a>");
  extractSRT("<!DOCTYPE t [<!ENTITY e SYSTEM '/nonexistent'>]><t>&e;</t>");
  extractSRT("<x:a/>");
  reference::extractSRT("<a><b></a>");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace caplift
