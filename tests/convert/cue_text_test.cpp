#include "convert/cue_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

// Every character with the Unicode White_Space property, in UTF-8.
const char* const kWhiteSpace[] = {
    "\t",           "\n",           "\v",           "\f",           "\r",           " ",
    "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82",
    "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88",
    "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F",
    "\xE3\x80\x80",
};

// Near misses: not White_Space, and sharing bytes with characters that are: U+200B (zero width
// space), U+FEFF, U+180E (no longer White_Space), neighbours of the set's characters, U+00E0 and
// U+20A0 (ending in A0 like U+00A0), U+1F000 (ending in 80 80), and NUL.
using std::string_view_literals::operator""sv;
const std::string_view kNotWhiteSpace[] = {
    "\xE2\x80\x8B"sv, "\xEF\xBB\xBF"sv, "\xE1\xA0\x8E"sv,     "\xC2\x84"sv,     "\xC2\xA1"sv,
    "\xE2\x80\x8C"sv, "\xE2\x80\xA7"sv, "\xE2\x80\xAA"sv,     "\xE2\x81\xA0"sv, "\xE3\x80\x81"sv,
    "\xC3\xA0"sv,     "\xE2\x82\xA0"sv, "\xF0\x9F\x80\x80"sv, "\x00"sv};

TEST(CueText, TrimsExactlyTheWhiteSpaceCharactersAtBothEnds) {
  for (const char* space : kWhiteSpace) {
    const std::string s = space;
    EXPECT_EQ(trimWhiteSpace(s + "a" + s + "b" + s + s), "a" + s + "b")
        << testing::PrintToString(s);
    EXPECT_EQ(trimWhiteSpace(s + s), "") << testing::PrintToString(s);
  }
  for (std::string_view other : kNotWhiteSpace) {
    const std::string s(other);
    EXPECT_EQ(trimWhiteSpace(" " + s + " "), s) << testing::PrintToString(s);
    EXPECT_EQ(trimWhiteSpace(s), s) << testing::PrintToString(s);
  }
}

struct CueTextCase {
  const char* joined;
  const char* name;
  const char* cue;
};

const CueTextCase kCueTextCases[] = {
    // Joined first, trimmed once (the conversion table has the real-world runs).
    {" Hello World\n", "n", "Hello World"},
    {"  \n\t", "Caption A", "Caption A"},
    {" \xC2\xA0 ", "", ""},
    // The name is taken unchanged apart from its blank lines.
    {"", "  padded  ", "  padded  "},
    {"", "a\n\nb\n \n", "a\nb"},
    {"", " \n\xE3\x80\x80\n", ""},
    {"", "\n", ""},
    // Blank lines go, whatever white space fills them; other lines keep their spaces.
    {"a\n\nb", "", "a\nb"},
    {"a\n \t\r\n  b  \n\xC2\xA0\nc", "", "a\n  b  \nc"},
    {"a\r\n\r\nb", "", "a\r\nb"},
    {"a\xE2\x80\xA8\n\xE2\x80\xA8\nb", "", "a\xE2\x80\xA8\nb"},
    {"a\n\n\n\n", "", "a"},
};

TEST(CueText, ChoosesTrimsAndDropsBlankLines) {
  for (const CueTextCase& c : kCueTextCases) {
    const std::string_view collected = trimWhiteSpace(c.joined);
    std::string cue;
    appendWithoutBlankLines(cue, collected.empty() ? std::string_view(c.name) : collected);
    EXPECT_EQ(cue, c.cue) << testing::PrintToString(c.joined);
    EXPECT_EQ(reference::cueText(c.joined, c.name), c.cue) << testing::PrintToString(c.joined);
  }
}

}  // namespace
}  // namespace caplift
