// caplift-convert --timeline and --project: the same roads as the default mode, and one line with
// exit status 1 when there is no project to place.
#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"

namespace caplift::test {
namespace {

const std::string kCases = CAPLIFT_TIMELINE_CASES;
const std::string kTwoProjects = kCases + "/01-first-project.fcpxml";
const std::string kNoProject = kCases + "/04-no-project.fcpxml";

TEST(CliTimeline, PlacesTheChosenProjectOrSaysThereIsNone) {
  const std::string first = *readFile(kCases + "/01-first-project.srt");
  const std::string second = *readFile(kCases + "/02-project-by-name.srt");
  struct Case {
    std::vector<std::string> args;
    std::optional<std::string> input;
    int exitCode;
    std::string out;
    std::string err;
  } cases[] = {
      {{"--timeline", kTwoProjects}, {}, 0, first, ""},
      {{"--timeline", "-"}, readFile(kTwoProjects), 0, first, ""},
      {{"--project", "Second", kTwoProjects}, {}, 0, second, ""},
      {{"--project", "Third", kTwoProjects},
       {},
       1,
       "",
       "caplift-convert: " + kTwoProjects +
           ": no project named \"Third\"; the document has \"First\", \"Second\"\n"},
      {{"--timeline", kNoProject},
       {},
       1,
       "",
       "caplift-convert: " + kNoProject + ": the document has no project with a timeline\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args.back());
    CliResult result = runCli(c.args, {.input = c.input});
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
}

TEST(CliTimeline, WritesFilesOnlyForDocumentsWithTheProject) {
  TempDir dir;
  CliResult one = runCli({"--timeline", kTwoProjects, "-o", dir / "one.srt"});
  EXPECT_EQ(one.exitCode, 0);
  EXPECT_EQ(readFile(dir / "one.srt"), readFile(kCases + "/01-first-project.srt"));

  CliResult batch = runCli({"--timeline", "-q", kTwoProjects, kNoProject, "-d", dir / "out"});
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_EQ(listDir(dir / "out"), std::vector<std::string>{"01-first-project.srt"});
  EXPECT_EQ(readFile(dir / "out/01-first-project.srt"), readFile(kCases + "/01-first-project.srt"));
}

}  // namespace
}  // namespace caplift::test
