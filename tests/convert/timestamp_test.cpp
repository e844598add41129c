#include "convert/timestamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>

#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

struct TimestampCase {
  double seconds;
  const char* text;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

const TimestampCase kTimestampCases[] = {
    {0, "00:00:00,000"},
    {1.5, "00:00:01,500"},
    {3661.5, "01:01:01,500"},
    {1001.0 / 30000.0, "00:00:00,033"},
    {59.999, "00:00:59,999"},
    {359999.999, "99:59:59,999"},
    {360000, "100:00:00,000"},  // hours widen
    // The difference is formed before it is scaled: exact double arithmetic decides.
    {12.0125, "00:00:12,012"},
    {2.675, "00:00:02,675"},
    {0.0005, "00:00:00,001"},
    {0.0004999, "00:00:00,000"},
    // A count that rounds to 1000 carries into the seconds, minutes and hours.
    {1.9996, "00:00:02,000"},
    {1.9995, "00:00:02,000"},
    {59.9999, "00:01:00,000"},
    {3599.9997, "01:00:00,000"},
    {1.9994, "00:00:01,999"},
    // No valid timestamp: written as zero.
    {-0.5, "00:00:00,000"},
    {-61.25, "00:00:00,000"},
    {-1e-300, "00:00:00,000"},
    {-0.0, "00:00:00,000"},
    {kInf, "00:00:00,000"},
    {-kInf, "00:00:00,000"},
    {std::nan(""), "00:00:00,000"},
    {9223372036854775808.0, "00:00:00,000"},  // 2^63 whole seconds
    {1e300, "00:00:00,000"},
    // The largest whole-second count below 2^63.
    {9223372036854774784.0, "2562047788015215:13:04,000"},
    {4503599627370495.5, "1250999896491:48:15,500"},  // 2^52 - 0.5: the last half second
};

TEST(Timestamp, FormatsAsSubRip) {
  for (const TimestampCase& c : kTimestampCases) {
    EXPECT_EQ(toHMS(c.seconds), c.text) << std::setprecision(17) << c.seconds;
    EXPECT_EQ(reference::toHMS(c.seconds), c.text) << std::setprecision(17) << c.seconds;
  }
}

}  // namespace
}  // namespace caplift
