#pragma once

#include "convert/timeline/model.h"
#include "convert/timeline/rational.h"

namespace caplift::timeline {

// The speed factor f of a clip with a conform-rate: its source rate (srcFrameRate, a decimal such
// as 23.98) over the rate it is conformed to on a timeline of `timelineRate` frames per second.
// 1 for pairs that play at the source's own speed and for rates the table does not know.
Rational conformFactor(const Rational& sourceRate, const Rational& timelineRate);

// The retimed time at which a time map [first, end) (at least two points) shows the source time
// `value`: the inverse of its piecewise-linear curve on the first segment that holds the value,
// or the time of the end nearest in value when none does. A frozen segment gives its first time.
Rational inverseTimeMap(const TimePoint* first, const TimePoint* end, const Rational& value);

}  // namespace caplift::timeline
