// Time values, timestamps and white space against data/values.cases, in a locale whose decimal
// point is a comma where the system has one or one was built for the tests: numerals must not
// follow it.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "convert/cues/cue_text.h"
#include "convert/titles/time_value.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

bool useCommaLocale() {
#ifdef CAPLIFT_TEST_LOCALE_DIR
  setenv("LOCPATH", CAPLIFT_TEST_LOCALE_DIR, 0);
#endif
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) return std::strtod("1,5", nullptr) == 1.5;
  }
  return false;
}

double numeral(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

class Values : public ::testing::TestWithParam<test::Case> {
 protected:
  static void SetUpTestSuite() {
    if (!useCommaLocale()) std::printf("[  NOTICE  ] no locale with a decimal comma here\n");
  }
  static void TearDownTestSuite() { std::setlocale(LC_ALL, "C"); }
};

TEST_P(Values, AreReadAndWrittenAsTheTableSays) {
  for (const test::CaseLine& line : GetParam().lines) {
    const std::vector<std::string> w = test::words(line.rest);
    const std::string& s = w.at(0);
    SCOPED_TRACE("values.cases:" + std::to_string(line.number));
    if (line.directive == "time") {
      const double seconds = getTime(s), expected = numeral(w.at(1));
      EXPECT_TRUE(seconds == expected || (std::isnan(seconds) && std::isnan(expected))) << seconds;
    } else if (line.directive == "stamp") {
      EXPECT_EQ(toHMS(numeral(s)), w.at(1));
    } else if (line.directive == "space") {
      EXPECT_EQ(trimWhiteSpace(s + "a" + s + "b" + s + s), "a" + s + "b");
      EXPECT_EQ(trimWhiteSpace(s + s), "");
    } else {
      EXPECT_EQ(trimWhiteSpace(" " + s + " "), s);
      EXPECT_EQ(trimWhiteSpace(s), s);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Values,
                         ::testing::ValuesIn(test::loadCases(CAPLIFT_CONVERT_DATA "/values.cases")),
                         test::caseName<::testing::TestParamInfo<test::Case>>);

}  // namespace
}  // namespace caplift
