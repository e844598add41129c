#include "convert/timeline/retiming.h"

#include <iterator>

namespace caplift::timeline {

namespace {

enum Rate { k2398, k24, k25, k2997, k30, k50, k5994, k60, k4795, k48, kNoRate };

constexpr int kTableRates = 8;  // the rows and columns: 23.98 to 60

Rational valueOf(Rate rate) {
  switch (rate) {
    case k2398:
      return Rational::fraction(24000, 1001);
    case k2997:
      return Rational::fraction(30000, 1001);
    case k5994:
      return Rational::fraction(60000, 1001);
    case k4795:
      return Rational::fraction(48000, 1001);
    case k24:
      return 24;
    case k25:
      return 25;
    case k30:
      return 30;
    case k50:
      return 50;
    case k60:
      return 60;
    case k48:
      return 48;
    case kNoRate:
      break;
  }
  return 1;
}

// The rate conformed to, by source rate (rows) and timeline rate (columns); kNoRate where the
// clip keeps its own speed.
constexpr Rate kConformed[kTableRates][kTableRates] = {
    // 23.98    24       25       29.97    30       50       59.94    60
    {kNoRate, k24, k25, kNoRate, k24, k24, k24, k24},                      // 23.98
    {k2398, kNoRate, k25, kNoRate, kNoRate, k25, kNoRate, kNoRate},        // 24
    {k2398, k24, kNoRate, kNoRate, kNoRate, kNoRate, kNoRate, kNoRate},    // 25
    {kNoRate, kNoRate, kNoRate, kNoRate, k30, kNoRate, kNoRate, k30},      // 29.97
    {kNoRate, kNoRate, kNoRate, k2997, kNoRate, kNoRate, k2997, kNoRate},  // 30
    {k4795, k48, kNoRate, kNoRate, kNoRate, kNoRate, kNoRate, kNoRate},    // 50
    {kNoRate, kNoRate, kNoRate, kNoRate, k60, kNoRate, kNoRate, k60},      // 59.94
    {kNoRate, kNoRate, kNoRate, k5994, kNoRate, kNoRate, k5994, kNoRate},  // 60
};

// A source rate as written: 23.98 stands for 24000/1001, and so on.
Rate sourceRate(const Rational& rate) {
  constexpr int kHundredths[kTableRates] = {2398, 2400, 2500, 2997, 3000, 5000, 5994, 6000};
  for (int i = 0; i < kTableRates; ++i) {
    if (rate == Rational::fraction(kHundredths[i], 100)) return static_cast<Rate>(i);
  }
  return kNoRate;
}

// A timeline rate, 1 / frameDuration: exact.
Rate timelineRate(const Rational& rate) {
  for (int i = 0; i < kTableRates; ++i) {
    if (rate == valueOf(static_cast<Rate>(i))) return static_cast<Rate>(i);
  }
  return kNoRate;
}

}  // namespace

Rational conformFactor(const Rational& source, const Rational& timeline) {
  const Rate from = sourceRate(source);
  const Rate on = timelineRate(timeline);
  if (from == kNoRate || on == kNoRate || kConformed[from][on] == kNoRate) return 1;
  return valueOf(from) / valueOf(kConformed[from][on]);
}

Rational inverseTimeMap(const TimePoint* first, const TimePoint* end, const Rational& value) {
  for (const TimePoint* a = first; a + 1 != end; ++a) {
    const TimePoint* b = a + 1;
    const bool held = a->value <= b->value ? a->value <= value && value <= b->value
                                           : b->value <= value && value <= a->value;
    if (!held) continue;
    if (a->value == b->value) return a->time;
    return a->time + (value - a->value) * (b->time - a->time) / (b->value - a->value);
  }
  // Outside the curve: the end nearest in value (the first on a tie).
  const TimePoint* last = std::prev(end);
  const Rational toFirst = value < first->value ? first->value - value : value - first->value;
  const Rational toLast = value < last->value ? last->value - value : value - last->value;
  return toLast < toFirst ? last->time : first->time;
}

}  // namespace caplift::timeline
