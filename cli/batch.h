#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"

namespace caplift {

struct BatchRequest {
  std::vector<std::string> inputs;
  std::string outputDir;
  bool quiet = false;  // no summary and no progress line
  ConversionOptions conversion;
  std::size_t jobs = 1;  // documents converted at once; 0 for one per online processor
};

// Converts every input into "<outputDir>/<name>.<format's extension>", each file written
// atomically, going on after a failure, `jobs` at a time. Reports each failure, in the order of
// the inputs, and a summary ("12 converted, 1 failed") on standard error. Returns the exit status:
// 0 when all were converted, 1 when any failed, 2 when two inputs would write the same file or an
// output would replace an input (then nothing is written).
int runBatch(const BatchRequest& request);

}  // namespace caplift
