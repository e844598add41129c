#include "convert/utf8_validator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace caplift {
namespace {

struct Utf8Case {
  std::string bytes;
  std::optional<std::uint64_t> errorOffset;  // none: valid
};

const Utf8Case kUtf8Cases[] = {
    {"", {}},
    {"plain ASCII, longer than one word of eight", {}},
    {"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF", {}},
    {"\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", {}},
    {std::string("a\0b", 3), {}},
    {"abc\x80", 3},           // lone continuation byte
    {"ab\xC0\xAF", 2},        // overlong "/"
    {"\xC1\xBF", 0},          // overlong
    {"x\xE0\x9F\xBF", 1},     // overlong below U+0800
    {"xy\xED\xA0\x80", 2},    // surrogate U+D800
    {"\xED\xBF\xBF", 0},      // surrogate U+DFFF
    {"\xF0\x8F\xBF\xBF", 0},  // overlong below U+10000
    {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
    {"\xF5\x80\x80\x80", 0},
    {"\xFF", 0},
    {"0123456789\xE2\x82", 10},  // ends inside a character
    {"\xE2\x82 ", 0},            // continuation missing
    {"\xF0\x9F\x98", 0},
    {"\xC3\xA9\xC3", 2},
};

TEST(Utf8Validator, AcceptsUtf8AndLocatesTheFirstBadCharacter) {
  // Whole, and in pieces of every size: characters split across pieces are still checked.
  for (const Utf8Case& c : kUtf8Cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, c.bytes.size() + 1}) {
      Utf8Validator validator;
      bool ok = true;
      for (std::size_t at = 0; at < c.bytes.size() && ok; at += piece) {
        ok = validator.feed(std::string_view(c.bytes).substr(at, piece));
      }
      ok = ok && validator.finish();
      const auto where = testing::PrintToString(c.bytes) + " in pieces of " + std::to_string(piece);
      EXPECT_EQ(ok, !c.errorOffset.has_value()) << where;
      EXPECT_EQ(validator.valid(), ok) << where;
      if (c.errorOffset) {
        EXPECT_EQ(validator.errorOffset(), *c.errorOffset) << where;
      }
    }
  }
}

TEST(Utf8Validator, StaysFailed) {
  Utf8Validator validator;
  EXPECT_FALSE(validator.feed("\xFF"));
  EXPECT_FALSE(validator.feed("fine"));
  EXPECT_FALSE(validator.finish());
  EXPECT_EQ(validator.errorOffset(), 0u);
}

}  // namespace
}  // namespace caplift
