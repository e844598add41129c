// Time values, timestamps and white space against data/values.cases; numerals in any locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "convert/cue_text.h"
#include "convert/extract_srt.h"
#include "convert/timestamp.h"
#include "tests/support/case_file.h"

namespace caplift {
namespace {

TEST(Values, AreReadAndWrittenAsTheTableSays) {
  std::size_t checked = 0;
  for (const test::Case& table : test::loadCases(CAPLIFT_CONVERT_DATA "/values.cases")) {
    for (const test::CaseLine& line : table.lines) {
      const std::vector<std::string> w = test::words(line.rest);
      const std::string& s = w.at(0);
      SCOPED_TRACE("values.cases:" + std::to_string(line.number));
      if (line.directive == "time") {
        const double seconds = getTime(s), expected = std::strtod(w.at(1).c_str(), nullptr);
        EXPECT_TRUE(seconds == expected || (std::isnan(seconds) && std::isnan(expected)))
            << seconds;
      } else if (line.directive == "stamp") {
        EXPECT_EQ(toHMS(std::strtod(s.c_str(), nullptr)), w.at(1));
      } else if (line.directive == "space") {
        EXPECT_EQ(trimWhiteSpace(s + "a" + s + "b" + s + s), "a" + s + "b");
        EXPECT_EQ(trimWhiteSpace(s + s), "");
      } else {
        EXPECT_EQ(trimWhiteSpace(" " + s + " "), s);
        EXPECT_EQ(trimWhiteSpace(s), s);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100u);
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

TEST(Values, ProcessLocaleChangesNothing) {
  if (!useCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  const bool inEffect = std::strtod("1,5", nullptr) == 1.5;
  const std::vector<double> read{getTime("1.5s"), getTime("1,5s"), getTime("1001/30000s")};
  const std::string srt = extractSRT("<title offset='1.5s' duration='0.25s'/>").srt;
  std::setlocale(LC_ALL, "C");
  ASSERT_TRUE(inEffect);
  EXPECT_EQ(read, (std::vector<double>{1.5, 0, 1001.0 / 30000.0}));
  EXPECT_EQ(srt, "1\n00:00:01,500 --> 00:00:01,750\n\n\n");
}

}  // namespace
}  // namespace caplift
