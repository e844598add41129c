// How documents are read: encoding, byte-order mark, entities, DTDs, limits. Each behaviour is
// checked on the streaming conversion and on the tree-based reference, which must agree.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "convert/extract_srt.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

using Kind = ConversionFailure::Kind;
using std::string_view_literals::operator""sv;

// Converts with both implementations; they must give the same text or the same failure.
ExtractResult convertBoth(const std::string& document) {
  const ExtractResult streamed = extractSRT(document);
  const ExtractResult reference = reference::extractSRT(document);
  EXPECT_EQ(streamed.srt, reference.srt) << document;
  EXPECT_EQ(streamed.ok(), reference.ok()) << document;
  if (!streamed.ok() && !reference.ok()) {
    EXPECT_EQ(streamed.failure->description(), reference.failure->description());
  }
  return streamed;
}

// Cues at time zero with these texts.
std::string zeroCues(std::initializer_list<const char*> texts) {
  std::string srt;
  int number = 0;
  for (const char* text : texts) {
    srt += std::to_string(++number) + "\n00:00:00,000 --> 00:00:00,000\n" + text + "\n\n";
  }
  return srt;
}

void expectSrt(const std::string& document, const std::string& srt) {
  const ExtractResult result = convertBoth(document);
  ASSERT_TRUE(result.ok()) << document << ": " << result.failure->description();
  EXPECT_EQ(result.srt, srt) << document;
}

void expectRefused(const std::string& document, Kind kind) {
  const ExtractResult result = convertBoth(document);
  ASSERT_FALSE(result.ok()) << document;
  EXPECT_EQ(result.failure->kind, kind) << document;
}

TEST(ParserPolicy, TextIsUtf8WhateverTheDeclarationSays) {
  for (const char* encoding : {"ISO-8859-1", "UTF-16", "US-ASCII", "EBCDIC-US", "no-such-thing"}) {
    expectSrt(
        std::string("<?xml version='1.0' encoding='") + encoding + "'?><title name='caf\xC3\xA9'/>",
        zeroCues({"caf\xC3\xA9"}));
  }
}

TEST(ParserPolicy, ByteOrderMarkIsDropped) {
  const std::string document = "\xEF\xBB\xBF<?xml version='1.0'?><title name='bom'/>";
  expectSrt(document, zeroCues({"bom"}));
  for (std::size_t chunk : {1, 2, 3, 4}) {
    EXPECT_EQ(testing_io::convertInChunks(document, chunk).srt, zeroCues({"bom"})) << chunk;
  }
  expectSrt("\xEF\xBB\xBF<title name='no declaration'/>", zeroCues({"no declaration"}));
  // Only one, only at the start.
  for (const char* bad :
       {"\xEF\xBB\xBF\xEF\xBB\xBF<title/>", " \xEF\xBB\xBF<title/>", "\xEF\xBB\xBF", "\xEF\xBB"}) {
    EXPECT_FALSE(convertBoth(bad).ok()) << testing::PrintToString(bad);
  }
}

TEST(ParserPolicy, FirstBytesNeverSwitchTheEncoding) {
  // Each of these would make libxml2 guess another encoding from the first four bytes.
  for (std::string_view document : {"<\0t\0i\0t\0l\0e\0/\0>\0"sv, "\0<\0t\0i\0t\0l\0e\0/\0>"sv,
                                    "\0\0\0<\0\0\0t\0\0\0/\0\0\0>"sv}) {
    expectRefused(std::string(document), Kind::kParse);
  }
  // With a UTF-16 or EBCDIC signature the bytes are not even UTF-8.
  for (std::string_view document :
       {"\xFF\xFE<\0t\0/\0>\0"sv, "\xFE\xFF\0<\0t\0/\0>"sv, "\x4C\x6F\xA7\x94"sv}) {
    expectRefused(std::string(document), Kind::kNotUtf8);
  }
}

TEST(ParserPolicy, InvalidUtf8IsReportedWithItsOffsetWhereverItIs) {
  const std::pair<std::string, const char*> kCases[] = {
      {"<title name='\xE9t\xE9'/>", "invalid byte sequence at byte offset 13"},
      {"<title/>\n<!-- \xC0\xAF -->", "invalid byte sequence at byte offset 14"},
      // A bad byte in the first bytes read cuts them before the parser meets the tag mismatch;
      // the byte-order mark counts.
      {"\xEF\xBB\xBF<a><b></a>\xED\xA0\x80", "invalid byte sequence at byte offset 13"},
      {"<title/>\xF0\x9F\x98", "the text ends inside a character that starts at byte offset 8"},
  };
  for (const auto& [document, why] : kCases) {
    const std::string description = std::string("not valid UTF-8: ") + why;
    for (std::size_t chunk : {1, 2, 3, 7, 4096}) {
      const ExtractResult result = testing_io::convertInChunks(document, chunk);
      ASSERT_FALSE(result.ok()) << document;
      EXPECT_EQ(result.failure->kind, Kind::kNotUtf8);
      EXPECT_EQ(result.failure->description(), description) << "chunk " << chunk;
    }
    EXPECT_EQ(reference::extractSRT(document).failure->description(), description);
  }
}

TEST(ParserPolicy, NulIsNotACharacter) {
  expectRefused(std::string("<title name='a\0b'/>", 17), Kind::kParse);
}

TEST(ParserPolicy, ExternalEntitiesAndDtdsAddNothing) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("caplift-external-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto file = [&](const char* name, const char* content) {
    std::ofstream(folder / name) << content;
    return (folder / name).string();
  };
  const std::string text = file("secret.txt", "SECRET-FILE-CONTENT");
  const std::string dtd = file("secret.dtd", "<!ENTITY e 'SECRET-DTD-ENTITY'>");
  const std::string ent = file("secret.ent", "<text-style>SECRET-ENTITY-ELEMENT</text-style>");
  const std::pair<std::string, const char*> kCases[] = {
      {"<!DOCTYPE t [<!ENTITY e SYSTEM '" + text +
           "'>]><title name='n'><text><text-style>a&e;b</text-style></text></title>",
       "ab"},
      {"<!DOCTYPE t [<!ENTITY e SYSTEM 'file://" + ent +
           "'>]><title><text>x&e;<text-style>y</text-style></text></title>",
       "y"},
      {"<!DOCTYPE t PUBLIC '-//x//y' '" + ent +
           "'><title><text><text-style>a</text-style></text></title>",
       "a"},
      {"<!DOCTYPE t SYSTEM '" + dtd +
           "'><title><text><text-style>a&e;b</text-style></text></title>",
       "ab"},
      {"<!DOCTYPE t [<!ENTITY % p SYSTEM '" + dtd +
           "'> %p;]><title><text><text-style>a&e;b</text-style></text></title>",
       "ab"},
  };
  for (const auto& [document, cue] : kCases) expectSrt(document, zeroCues({cue}));
  // XML allows no external entity in an attribute value, even through an internal one.
  for (const char* value : {"n&e;", "&i;"}) {
    const std::string document = "<!DOCTYPE t [<!ENTITY e SYSTEM '" + text +
                                 "'><!ENTITY i 'a&e;'>]><title name='" + value + "'/>";
    expectRefused(document, Kind::kParse);
    EXPECT_NE(extractSRT(document).failure->description().find("external entity 'e'"),
              std::string::npos);
  }
  std::filesystem::remove_all(folder);
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
  expectSrt(
      "<!DOCTYPE t [<!ENTITY s '<text-style>E</text-style>'><!ENTITY w '&#x2028; '>"
      "<!ENTITY t \"<title name='inner'>&s;</title>\">]>"
      "<c><title><text>&s;&w;&s;<text-style>&w;x&w;</text-style>&s;</text>&t;&t;</title></c>",
      zeroCues({"EE\xE2\x80\xA8 x\xE2\x80\xA8 E", "inner", "inner"}));
}

TEST(ParserPolicy, EntityContentTakesTheNamespacesInScopeAtEachReference) {
  // The second reference lies in a default namespace: its title is no title.
  expectSrt("<!DOCTYPE c [<!ENTITY t \"<title name='t'/>\">]><c>&t;<x xmlns='urn:o'>&t;</x>&t;</c>",
            zeroCues({"t", "t"}));
  // Prefixes declared outside the entity keep their meaning inside it.
  expectSrt(
      "<!DOCTYPE c [<!ENTITY t \"<x:title name='a'/><title x:offset='5s' name='b'/>\">]>"
      "<c xmlns:x='urn:x'>&t;</c>",
      zeroCues({"b"}));
}

TEST(ParserPolicy, EntityExpansionAndNestingLimitsStayOn) {
  std::string laughs = "<!DOCTYPE t [<!ENTITY l0 'lol'>";
  for (int i = 1; i <= 12; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "'>";
  }
  expectRefused(
      laughs + "]><title name='&l12;'><text><text-style>&l12;</text-style></text></title>",
      Kind::kParse);
  expectRefused("<!DOCTYPE t [<!ENTITY a '&b;'><!ENTITY b '&a;'>]><t>&a;</t>", Kind::kParse);

  const auto nested = [](int depth) {
    std::string document;
    for (int i = 0; i < depth; ++i) document += "<title name='d'>";
    for (int i = 0; i < depth; ++i) document += "</title>";
    return document;
  };
  const ExtractResult deep = convertBoth(nested(200));
  EXPECT_TRUE(deep.srt.ends_with("\n\n200\n00:00:00,000 --> 00:00:00,000\nd\n\n"));
  const ExtractResult tooDeep = convertBoth(nested(300));
  ASSERT_FALSE(tooDeep.ok());
  EXPECT_EQ(tooDeep.failure->description(),
            "line 1, column 4113: the document is nested too deeply (at most 256 levels)");
}

TEST(ParserPolicy, DtdDeclarationsOnlyNormaliseWrittenAttributes) {
  // Defaults from the DTD are not written on the element, on both sides; attribute types are.
  expectSrt(
      "<!DOCTYPE c [<!ATTLIST title offset CDATA '7s' name CDATA 'defaulted'>"
      "<!ATTLIST c offset CDATA '100s'>]><c><title duration='1s'/></c>",
      "1\n00:00:00,000 --> 00:00:01,000\n\n\n");
  expectSrt(
      "<!DOCTYPE c [<!ATTLIST title offset NMTOKEN #IMPLIED>]><c><title offset='  5s  '/></c>",
      "1\n00:00:05,000 --> 00:00:05,000\n\n\n");
}

TEST(ParserPolicy, UndeclaredPrefixIsNoTitle) {
  // Not well-formed in namespaces only: the document is read, "x:title" is no title.
  expectSrt("<c><x:title name='a'/><title x:offset='5s' name='b'/><y:text/></c>", zeroCues({"b"}));
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
