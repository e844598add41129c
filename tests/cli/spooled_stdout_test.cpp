// The held-back standard output: nothing shows before commit(), and text beyond the memory limit
// goes through a temporary file without a change.
#include "cli/spooled_stdout.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/cli/cli_runner.h"

namespace caplift::test {
namespace {

TEST(SpooledStdout, HoldsTheTextBackUntilCommitInMemoryOrInAFile) {
  for (std::size_t limit : {std::size_t{1} << 20, std::size_t{100}, std::size_t{0}}) {
    SCOPED_TRACE(limit);
    TempDir dir;
    int fd = open((dir / "out").c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    std::string expected;
    {
      SpooledStdout output(fd, limit);
      for (int i = 0; i < 5000; ++i) {
        std::string piece = std::to_string(i) + "\nline of text\n\n";
        ASSERT_TRUE(output.write(piece));
        expected += piece;
      }
      EXPECT_EQ(output.spilled(), limit < expected.size());
      EXPECT_EQ(readFile(dir / "out"), "");
      ASSERT_FALSE(output.commit().has_value());
    }
    close(fd);
    EXPECT_EQ(readFile(dir / "out"), expected);
    EXPECT_EQ(listDir(dir.path()), std::vector<std::string>{"out"});
  }
}

}  // namespace
}  // namespace caplift::test
