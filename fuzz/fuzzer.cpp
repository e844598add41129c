// A libFuzzer target for the check that CAPLIFT_FUZZ_CHECK names: a problem stops the run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/checks/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem =
      caplift::fuzz::CAPLIFT_FUZZ_CHECK({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
