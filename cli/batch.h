#pragma once

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
};

// Converts every input into "<outputDir>/<name>.<format's extension>", each file written
// atomically, going on after a failure. Reports each failure and a summary ("12 converted, 1
// failed") on standard error. Returns the exit status: 0 when all were converted, 1 when any
// failed, 2 when two inputs would write the same file or an output would replace an input (then
// nothing is written).
int runBatch(const BatchRequest& request);

}  // namespace caplift
