#include "convert/extract_srt.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

struct ConversionCase {
  const char* what;
  std::string document;
  std::string srt;
};

std::string cue(int number, const char* timing, const std::string& text) {
  return std::to_string(number) + "\n" + timing + "\n" + text + "\n\n";
}

// The first cue, at time zero.
std::string atZero(const std::string& text) {
  return cue(1, "00:00:00,000 --> 00:00:00,000", text);
}

std::string emptyCues(int count) {
  std::string srt;
  for (int i = 1; i <= count; ++i) srt += cue(i, "00:00:00,000 --> 00:00:00,000", "");
  return srt;
}

const ConversionCase kConversionCases[] = {
    {"no titles", "<fcpxml><clip offset='1s'/></fcpxml>", ""},
    {"title without text takes its name",
     "<spine><title offset='5s' duration='3s' name='Caption A'/></spine>",
     cue(1, "00:00:05,000 --> 00:00:08,000", "Caption A")},
    {"times from the parent clip",
     "<clip offset='10s' start='3600s'><title offset='3605s' duration='2s' name='n'><text>"
     "<text-style> Hello</text-style><text-style>World\n</text-style></text></title></clip>",
     cue(1, "00:00:15,000 --> 00:00:17,000", "HelloWorld")},
    {"white space only falls back to the name",
     "<c><title name='Name'><text><text-style> \n</text-style><text-style>&#xA0;</text-style>"
     "</text></title></c>",
     atZero("Name")},
    {"neither text nor name gives an empty cue text", "<c><title><text> x </text></title></c>",
     atZero("")},
    {"line break inside a piece stays",
     "<c><title><text><text-style>one\ntwo</text-style></text></title></c>", atZero("one\ntwo")},
    {"pieces of two text elements join",
     "<c><title><text><text-style>A</text-style></text><text><text-style>B</text-style></text>"
     "</title></c>",
     atZero("AB")},
    {"style definitions outside text add nothing",
     "<c><title><text-style-def><text-style>def</text-style></text-style-def>"
     "<text-style>out</text-style><text><text-style>in</text-style></text></title></c>",
     atZero("in")},
    {"nested text-style counts twice, outer first",
     "<c><title><text><text-style>a<text-style>b</text-style>c</text-style></text></title></c>",
     atZero("abcb")},
    {"text inside text: all of the outer's pieces, then the inner's",
     "<c><title><text><text-style>a</text-style><text><text-style>b</text-style></text>"
     "<text-style>c</text-style></text></title></c>",
     atZero("abcb")},
    {"titles keep document order, times running backwards",
     "<c><title offset='9s' name='x'/><title offset='1s' name='y'/><title offset='1s' "
     "name='y'/></c>",
     cue(1, "00:00:09,000 --> 00:00:09,000", "x") + cue(2, "00:00:01,000 --> 00:00:01,000", "y") +
         cue(3, "00:00:01,000 --> 00:00:01,000", "y")},
    {"nested title: numbered at its start, its text also in the outer one",
     "<c><title name='outer' offset='1s'><text><text-style>O</text-style></text>"
     "<spine offset='2s'><title name='inner' offset='3s'><text><text-style>I</text-style></text>"
     "</title></spine></title><title name='after'/></c>",
     cue(1, "00:00:01,000 --> 00:00:01,000", "OI") + cue(2, "00:00:05,000 --> 00:00:05,000", "I") +
         cue(3, "00:00:00,000 --> 00:00:00,000", "after")},
    {"title as the root has no parent",
     "<title offset='2s' duration='1s'><text><text-style>root</text-style></text></title>",
     cue(1, "00:00:02,000 --> 00:00:03,000", "root")},
    {"title among the resources",
     "<fcpxml><resources><media offset='4s'><title offset='1s' name='r'/></media></resources>"
     "</fcpxml>",
     cue(1, "00:00:05,000 --> 00:00:05,000", "r")},
    {"only the immediate parent counts",
     "<clip offset='100s' start='50s'><spine><title offset='2s'/></spine></clip>",
     cue(1, "00:00:02,000 --> 00:00:02,000", "")},
    {"negative start writes zero",
     "<clip offset='1s' start='3s'><title offset='1s' duration='1.5s'/></clip>",
     cue(1, "00:00:00,000 --> 00:00:00,500", "")},
    {"zero denominators write zero",
     "<c><title offset='5/0s' duration='1s'/><title offset='0/0s'/></c>", emptyCues(2)},
    {"CDATA, references and entities are character data",
     "<!DOCTYPE c [<!ENTITY e 'ent'>]><c><title><text><text-style>&lt;<![CDATA[<b>]]>&#x41;&e;"
     "<!-- no --><?pi no?></text-style></text></title></c>",
     atZero("<<b>Aent")},
    {"namespaced look-alikes do not count",
     "<c xmlns:x='urn:x'><x:title name='a'/><title xmlns='urn:d' name='b'/>"
     "<title x:offset='5s' name='c'><x:text><text-style>no</text-style></x:text></title></c>",
     atZero("c")},
    {"names are case-sensitive", "<c><Title name='a'/><TITLE/><title name='b'/></c>", atZero("b")},
    // One text-style per style run, the first ending in a line break: trimmed once, kept.
    {"real-world runs keep their line break",
     "<title><text><text-style ref='ts1'>Chocolats du CaliBressan\n</text-style>"
     "<text-style ref='ts2'>The French Chocolatier\xE2\x80\xA6</text-style></text></title>",
     cue(1, "00:00:00,000 --> 00:00:00,000",
         "Chocolats du CaliBressan\nThe French Chocolatier\xE2\x80\xA6")},
    {"no blank line in a cue from text",
     "<title><text><text-style>one\n\n</text-style><text-style> \t\ntwo</text-style></text>"
     "</title>",
     atZero("one\ntwo")},
    {"no blank line in a cue from the name", "<title name='one&#10;&#10;two&#10;&#xA0;'/>",
     atZero("one\ntwo")},
    {"numbers have no leading zeros",
     "<c><title/><title/><title/><title/><title/><title/><title/><title/><title/><title/></c>",
     emptyCues(10)},
};

TEST(ExtractSrt, ConvertsTitles) {
  for (const ConversionCase& c : kConversionCases) {
    const ExtractResult streamed = extractSRT(c.document);
    ASSERT_TRUE(streamed.ok()) << c.what << ": " << streamed.failure->description();
    EXPECT_EQ(streamed.srt, c.srt) << c.what;
    EXPECT_EQ(reference::extractSRT(c.document).srt, c.srt) << c.what << " (reference)";
  }
}

TEST(ExtractSrt, UnparsableDocumentIsAFailureWithoutText) {
  const std::pair<const char*, const char*> kBroken[] = {
      {"", "line 1, column 1: Document is empty"},
      {"   ", "line 1, column 4: Start tag expected, '<' not found"},
      {"<a><title></a>", "line 1, column 15: Opening and ending tag mismatch: title line 1 and a"},
      {"<a>\n<b>", "line 2, column 4: Premature end of data in tag b line 2"},
      {"<a/><b/>", "line 1, column 5: Extra content at the end of the document"},
      {"<a>&undefined;</a>", "line 1, column 15: Entity 'undefined' not defined"},
  };
  for (const auto& [document, description] : kBroken) {
    const ExtractResult result = extractSRT(document);
    ASSERT_FALSE(result.ok()) << document;
    EXPECT_EQ(result.srt, "");
    EXPECT_EQ(result.failure->kind, ConversionFailure::Kind::kParse);
    EXPECT_EQ(result.failure->description(), description);
  }
}

}  // namespace
}  // namespace caplift
