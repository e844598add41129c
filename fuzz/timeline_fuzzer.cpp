// The timeline mode on arbitrary bytes: its invariants, whatever the document.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/checks/timeline_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem =
      caplift::fuzz::checkTimeline({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "timeline check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
