// Time values and timestamps on arbitrary bytes: the same as the reference, and always a timestamp.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/checks/time_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = caplift::fuzz::checkTime({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "time check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
