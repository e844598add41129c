#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/timeline.h"

namespace caplift {

struct BatchRequest {
  std::vector<std::string> inputs;
  std::string outputDir;
  bool quiet = false;                       // no summary and no progress line
  std::optional<TimelineOptions> timeline;  // the timeline mode, when set
};

// Converts every input into "<outputDir>/<name>.srt", each file written atomically, going on
// after a failure. Reports each failure and a summary ("12 converted, 1 failed") on standard
// error. Returns the exit status: 0 when all were converted, 1 when any failed, 2 when two inputs
// would write the same file or an output would replace an input (then nothing is written).
int runBatch(const BatchRequest& request);

}  // namespace caplift
