// caplift-convert FILE... -d DIR: many inputs, each written atomically, going on after failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/cli_runner.h"
#include "tests/cli/sample_documents.h"

namespace caplift::test {
namespace {

class CliBatch : public testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir / "a.fcpxml", kDocument);
    writeFile(dir / "broken.fcpxml", kNotWellFormed);
    std::filesystem::create_directory(dir / "Project 1.fcpxmld");
    writeFile(dir / "Project 1.fcpxmld/Info.fcpxml", kDocument);
  }
  std::string out() const { return dir / "out"; }
  TempDir dir;
};

TEST_F(CliBatch, ConvertsEveryInputAndSummarizes) {
  CliResult result = runCli({dir / "a.fcpxml", dir / "Project 1.fcpxmld", "-d", out()});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "2 converted, 0 failed\n");
  EXPECT_EQ(listDir(out()), (std::vector<std::string>{"Project 1.srt", "a.srt"}));
  EXPECT_EQ(readFile(out() + "/a.srt"), kDocumentSrt);
  EXPECT_EQ(readFile(out() + "/Project 1.srt"), kDocumentSrt);
  EXPECT_EQ(runCli({"-q", dir / "a.fcpxml", "--output-dir", out() + "/"}).err, "");
}

TEST_F(CliBatch, GoesOnAfterAFailureAndExitsWithOne) {
  std::filesystem::create_directory(out());
  writeFile(out() + "/broken.srt", "old\n");
  const std::string missing =
      "caplift-convert: " + (dir / "missing.fcpxml") + ": cannot read: No such file or directory\n";
  for (bool quiet : {false, true}) {
    SCOPED_TRACE(quiet ? "quiet" : "with summary");
    std::vector<std::string> args{dir / "broken.fcpxml", dir / "missing.fcpxml", dir / "a.fcpxml",
                                  "-d", out()};
    if (quiet) args.push_back("-q");
    CliResult result = runCli(args);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("caplift-convert: " + (dir / "broken.fcpxml: "), 0), 0u)
        << result.err;
    EXPECT_NE(result.err.find("\n" + missing), std::string::npos) << result.err;
    EXPECT_EQ(result.err.ends_with(missing + "1 converted, 2 failed\n"), !quiet) << result.err;
    EXPECT_EQ(listDir(out()), (std::vector<std::string>{"a.srt", "broken.srt"}));
    EXPECT_EQ(readFile(out() + "/broken.srt"), "old\n");
    EXPECT_EQ(readFile(out() + "/a.srt"), kDocumentSrt);
  }
}

TEST_F(CliBatch, InputsWithOneOutputNameAreRefusedBeforeAnythingIsWritten) {
  std::filesystem::create_directory(dir / "other");
  writeFile(dir / "other/A.xml", kDocument);
  CliResult result =
      runCli({dir / "broken.fcpxml", dir / "a.fcpxml", dir / "other/A.xml", "-d", out()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err, "caplift-convert: " + (dir / "a.fcpxml") + " and " + (dir / "other/A.xml") +
                            " would both be written to " + out() + "/A.srt; nothing converted\n");
  EXPECT_FALSE(std::filesystem::exists(out()));
}

TEST_F(CliBatch, AnOutputFolderThatCannotBeMadeIsAFailure) {
  writeFile(dir / "file", "");
  CliResult result = runCli({dir / "a.fcpxml", "-d", dir / "file/out"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(
      result.err.rfind("caplift-convert: " + (dir / "file/out: cannot create the folder: "), 0), 0u)
      << result.err;
}

}  // namespace
}  // namespace caplift::test
