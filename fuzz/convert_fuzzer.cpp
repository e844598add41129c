// The whole conversion on arbitrary bytes, checked against the reference conversion.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/checks/conversion_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem =
      caplift::fuzz::checkConversion({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "conversion check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
