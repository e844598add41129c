// caplift-convert -o: the target is replaced whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/cli_runner.h"
#include "tests/cli/sample_documents.h"

namespace caplift::test {
namespace {

constexpr const char* kOldTarget = "old subtitles, kept byte for byte\n";

class CliOutput : public testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir / "in.fcpxml", kDocument);
    std::filesystem::create_directory(dir / "sub");
    writeFile(dir / "sub/a.srt", kOldTarget);
  }
  // Runs `caplift-convert in.fcpxml -o target`: it must fail, print nothing and change no file.
  CliResult expectFailure(const std::string& target, const CliRun& run = {}) {
    const std::vector<std::string> before = listDir(dir.path());
    CliResult result = runCli({dir / "in.fcpxml", "-o", target}, run);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(listDir(dir.path()), before);
    EXPECT_EQ(listDir(dir / "sub"), std::vector<std::string>{"a.srt"});
    EXPECT_EQ(readFile(dir / "sub/a.srt"), kOldTarget);
    return result;
  }
  TempDir dir;
};

TEST_F(CliOutput, WritesAndReplacesTheTarget) {
  CliResult result = runCli({dir / "in.fcpxml", "-o", dir / "sub/a.srt"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_EQ(readFile(dir / "sub/a.srt"), kDocumentSrt);
  EXPECT_EQ(listDir(dir / "sub"), std::vector<std::string>{"a.srt"});
}

TEST_F(CliOutput, AFailedConversionLeavesTheTargetAsItWas) {
  const std::pair<const char*, const std::string*> cases[] = {
      {"late parse error", &kLateParseError},
      {"late bytes not UTF-8", &kLateNotUtf8},
      {"missing input", nullptr}};
  for (const auto& [label, document] : cases) {
    SCOPED_TRACE(label);
    if (document) writeFile(dir / "in.fcpxml", *document);
    if (!document) std::filesystem::remove(dir / "in.fcpxml");
    const CliResult result = expectFailure(dir / "sub/a.srt");
    EXPECT_EQ(result.err.rfind("caplift-convert: " + (dir / "in.fcpxml: "), 0), 0u) << result.err;
  }
}

TEST_F(CliOutput, UnwritableTargetsAreReportedAndNothingIsLeftBehind) {
  std::filesystem::create_directory(dir / "folder.srt");
  struct Case {
    std::string target;
    const char* why;
    CliRun run;
  } const cases[] = {
      {dir / "folder.srt", "Is a directory", {}},
      {dir / "nowhere/a.srt", "No such file or directory", {}},
      {dir / std::string(300, 'x') + ".srt", "File name too long", {}},
      // A file-size limit stands in for a full disk: the first large write fails.
      {dir / "sub/a.srt", "File too large", {.fileSizeLimit = 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(expectFailure(c.target, c.run).err,
              "caplift-convert: " + c.target + ": cannot write: " + c.why + "\n");
  }
}

}  // namespace
}  // namespace caplift::test
