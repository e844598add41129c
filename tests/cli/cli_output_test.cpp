// caplift-convert -o: the target is replaced whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/cli/cli_runner.h"
#include "tests/cli/sample_documents.h"

namespace caplift::test {
namespace {

constexpr const char* kOldTarget = "old subtitles, kept byte for byte\n";

TEST(CliOutput, WritesAndReplacesTheTarget) {
  TempDir dir;
  writeFile(dir / "a.fcpxml", kDocument);
  writeFile(dir / "a.srt", kOldTarget);
  CliResult result = runCli({dir / "a.fcpxml", "-o", dir / "a.srt"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_EQ(readFile(dir / "a.srt"), kDocumentSrt);
  EXPECT_EQ(listDir(dir.path()), (std::vector<std::string>{"a.fcpxml", "a.srt"}));
}

TEST(CliOutput, AFailedConversionLeavesTheTargetAsItWas) {
  struct Case {
    const char* label;
    std::optional<std::string> document;  // none: no input file at all
  } cases[] = {
      {"not well-formed", kLateParseError},
      {"not UTF-8", kLateNotUtf8},
      {"missing input", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    if (c.document) writeFile(dir / "in.fcpxml", *c.document);
    writeFile(dir / "a.srt", kOldTarget);
    std::vector<std::string> before = listDir(dir.path());
    CliResult result = runCli({dir / "in.fcpxml", "-o", dir / "a.srt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("caplift-convert: " + (dir / "in.fcpxml: "), 0), 0u) << result.err;
    EXPECT_EQ(readFile(dir / "a.srt"), kOldTarget);
    EXPECT_EQ(listDir(dir.path()), before);
  }
}

// Output-side failures: the message names the target, and the folder holds what it held.
struct TargetFailure {
  std::string target;
  std::string why;
};

void expectTargetFailure(const TempDir& dir, const TargetFailure& c, const CliRun& run = {}) {
  std::vector<std::string> before = listDir(dir.path());
  CliResult result = runCli({dir / "a.fcpxml", "-o", c.target}, run);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "caplift-convert: " + c.target + ": cannot write: " + c.why + "\n");
  EXPECT_EQ(listDir(dir.path()), before);
}

TEST(CliOutput, UnwritableTargetsAreReportedAndNothingIsLeftBehind) {
  TempDir dir;
  writeFile(dir / "a.fcpxml", kDocument);
  std::filesystem::create_directory(dir / "folder.srt");
  std::filesystem::create_directory(dir / "sub");
  writeFile(dir / "sub/a.srt", kOldTarget);

  expectTargetFailure(dir, {dir / "folder.srt", "Is a directory"});
  expectTargetFailure(dir, {dir / "nowhere/a.srt", "No such file or directory"});
  expectTargetFailure(dir, {dir / std::string(300, 'x') + ".srt", "File name too long"});

  // A file-size limit stands in for a full disk: the first large write fails.
  expectTargetFailure(dir, {dir / "sub/a.srt", "File too large"}, CliRun::withFileSizeLimit(10));
  EXPECT_EQ(readFile(dir / "sub/a.srt"), kOldTarget);
  EXPECT_EQ(listDir(dir / "sub"), std::vector<std::string>{"a.srt"});
}

TEST(CliOutput, ATargetInAReadOnlyFolderIsReportedAndKept) {
  TempDir dir;
  writeFile(dir / "a.fcpxml", kDocument);
  std::filesystem::create_directory(dir / "sub");
  writeFile(dir / "sub/a.srt", kOldTarget);
  chmod((dir / "sub").c_str(), 0555);
  if (access((dir / "sub").c_str(), W_OK) == 0) {
    GTEST_SKIP() << "running with rights that ignore a read-only folder (root?)";
  }
  expectTargetFailure(dir, {dir / "sub/a.srt", "Permission denied"});
  EXPECT_EQ(readFile(dir / "sub/a.srt"), kOldTarget);
  EXPECT_EQ(listDir(dir / "sub"), std::vector<std::string>{"a.srt"});
}

}  // namespace
}  // namespace caplift::test
