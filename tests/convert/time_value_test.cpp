#include "convert/time_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "convert/extract_srt.h"
#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

using std::string_view_literals::operator""sv;

struct TimeCase {
  std::string value;
  double seconds;
};

constexpr double kInf = std::numeric_limits<double>::infinity();
const std::string kZeros(300, '0');  // beyond the stack buffer: read from the heap copy

const TimeCase kTimeCases[] = {
    {"", 0},
    {"s", 0},
    {"0s", 0},
    {"3600s", 3600},
    {"1.5s", 1.5},
    {"10", 10},
    {"-1.5s", -1.5},
    {"2e1s", 20},
    {"1001/30000s", 1001.0 / 30000.0},
    {"5/0s", kInf},
    {"-5/0s", -kInf},
    {"1s2", 12},  // the letter goes wherever it stands
    {"3S", 0},
    {" 5s", 0},  // leading white space is refused, not skipped
    {"\t5s", 0},
    {"5 s", 0},  // trailing white space is left after the letter goes
    {"5\n", 0},
    {"abc", 0},
    {"/", 0},
    {"/30000s", 0},
    {"1/xs", 0},
    {"1/2/3s", 0},
    {"1//2s", 0.5},
    {"1/2/s", 0.5},
    {"x/1/2s", 0.5},
    {"/1/2/", 0.5},
    {"1/ 2s", 0},  // a piece with leading space is dropped: one number left
    {"0x10s", 16},
    {"0x1p-1s", 0.5},
    {"+7s", 7},
    {".5s", 0.5},
    {"5.s", 5},
    {"1e", 0},
    {"0x", 0},
    {"-", 0},
    {"inf", kInf},
    {"-Infinity", -kInf},
    {"iNfs", kInf},  // "iNf" once the letter is gone
    {"1e400s", kInf},
    {"1e-400s", 0},
    {"1,5s", 0},  // a comma is never a decimal point
    {"12.0125s", 12.0125},
    {std::string("1\0002s", 4), 0},
    {std::string("1/\0002s", 5), 0},
    {kZeros + "1.5s", 1.5},
    {"3/" + kZeros + "2s", 1.5},
    {kZeros + "1.5 s", 0},
    {std::string(200, 's'), 0},
    // Short digit runs are read without strtod; long ones must come out as strtod reads them.
    {"999999999999999s", 999999999999999.0},
    {"9007199254740993s", 9007199254740993.0},
    {"123456789012345678901s", 123456789012345678901.0},
    {"18446744073709551617/1s", 18446744073709551617.0},
    {"1/36893488147419103232s", 1 / 36893488147419103232.0},
    {"00000000000000000000000003/2s", 1.5},
};

TEST(TimeValue, ReadsAsStrtodInTheCLocale) {
  for (const TimeCase& c : kTimeCases) {
    const auto shown = testing::PrintToString(c.value.substr(0, 40));
    EXPECT_EQ(getTime(std::string_view(c.value)), c.seconds) << shown;
    EXPECT_EQ(reference::getTime(std::string_view(c.value)), c.seconds) << shown;
  }
}

TEST(TimeValue, MissingValueIsZero) {
  EXPECT_EQ(getTime(std::nullopt), 0);
}

TEST(TimeValue, NotANumberComesBackUnchanged) {
  for (const char* value : {"0/0s", "nan", "NaN(abc_1)s", "-nan"}) {
    EXPECT_TRUE(std::isnan(getTime(std::string_view(value)))) << value;
  }
}

TEST(TimeValue, TextStopsAtItsLength) {
  EXPECT_EQ(getTime(std::string_view("12s", 1)), 1);
}

// A locale whose decimal point is a comma, from the system or built for the tests.
bool useCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) return true;
  }
#ifdef CAPLIFT_TEST_LOCALE_DIR
  setenv("LOCPATH", CAPLIFT_TEST_LOCALE_DIR, 1);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) return true;
#endif
  return false;
}

TEST(TimeValue, ProcessLocaleChangesNothing) {
  if (!useCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  // The locale is in effect: the C library's own strtod now reads the comma.
  const bool commaLocale = std::strtod("1,5", nullptr) == 1.5;  // the locale is in effect
  const std::vector<double> results{getTime("1.5s"sv), getTime("1,5s"sv), getTime("1001/30000s"sv),
                                    reference::getTime("2.5s"sv)};
  const ExtractResult converted = extractSRT("<title offset='1.5s' duration='0.25s'/>");
  std::setlocale(LC_ALL, "C");
  ASSERT_TRUE(commaLocale);
  EXPECT_EQ(results, (std::vector<double>{1.5, 0, 1001.0 / 30000.0, 2.5}));
  EXPECT_EQ(converted.srt, "1\n00:00:01,500 --> 00:00:01,750\n\n\n");
}

}  // namespace
}  // namespace caplift
