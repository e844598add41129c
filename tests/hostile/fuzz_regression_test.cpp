// Every input the fuzzers ever stopped on, kept in fuzz/regressions/<target>/, goes through the
// same check as in the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "fuzz/checks/conversion_check.h"
#include "fuzz/checks/time_check.h"
#include "fuzz/checks/timeline_check.h"

namespace caplift::testing {
namespace {

struct Target {
  const char* folder;
  std::function<std::string(std::string_view)> check;
};

TEST(FuzzRegressions, KeptInputsPassTheirChecks) {
  const Target kTargets[] = {
      {"convert", fuzz::checkConversion},
      {"time", fuzz::checkTime},
      {"timeline", fuzz::checkTimeline},
  };
  std::size_t replayed = 0;
  for (const Target& target : kTargets) {
    const std::filesystem::path folder =
        std::filesystem::path(CAPLIFT_FUZZ_REGRESSIONS) / target.folder;
    if (!std::filesystem::is_directory(folder)) continue;  // none kept for this target yet
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string input((std::istreambuf_iterator<char>(in)), {});
      EXPECT_EQ(target.check(input), "") << entry.path();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0u);
}

}  // namespace
}  // namespace caplift::testing
