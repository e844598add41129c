// caplift-convert with one input: where the text goes, exit codes and the one-line messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "convert/extract_srt.h"
#include "tests/cli/cli_runner.h"
#include "tests/cli/sample_documents.h"

namespace caplift::test {
namespace {

std::string parserWhy(const std::string& document) {
  ExtractResult result = extractSRT(document);
  return result.failure ? result.failure->description : "(converted)";
}

TEST(CliConvert, WritesTheSubtitlesToStandardOutput) {
  TempDir dir;
  writeFile(dir / "a.fcpxml", kDocument);
  std::filesystem::create_directory(dir / "B.fcpxmld");
  writeFile(dir / "B.fcpxmld/Info.fcpxml", kDocument);

  struct Case {
    const char* label;
    std::vector<std::string> args;
    std::optional<std::string> input;
  } cases[] = {
      {"file", {dir / "a.fcpxml"}, {}},
      {"bundle", {dir / "B.fcpxmld"}, {}},
      {"bundle with a slash", {dir / "B.fcpxmld/"}, {}},
      {"standard input", {"-"}, kDocument},
      {"-o - is standard output", {"-o", "-", dir / "a.fcpxml"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CliResult result = runCli(c.args, {.input = c.input});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kDocumentSrt);
    EXPECT_EQ(result.err, "");
  }
}

TEST(CliConvert, VersionAndHelp) {
  CliResult version = runCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "caplift-convert " CAPLIFT_VERSION "\n");

  CliResult help = runCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* option : {"--output", "--output-dir", "--quiet", "FILE"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

TEST(CliConvert, UsageErrorsExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "missing FILE (see --help)"},
      {{"a.fcpxml", "b.fcpxml"}, "several FILEs need --output-dir (see --help)"},
      {{"-o", "x.srt", "-d", "out", "a.fcpxml"},
       "--output and --output-dir cannot be used together (see --help)"},
      {{"-d", "out", "-"}, "standard input (-) cannot be converted with --output-dir (see --help)"},
      {{"--bogus", "a.fcpxml"}, "Unknown option 'bogus' (see --help)"},
      {{"a.fcpxml", "-o"}, "Missing value after '-o' (see --help)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    CliResult result = runCli(c.args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, std::string("caplift-convert: ") + c.message + "\n");
  }
}

TEST(CliConvert, InputFailuresNameTheFileAndPrintNothing) {
  TempDir dir;
  writeFile(dir / "broken.fcpxml", kNotWellFormed);
  writeFile(dir / "latin1.fcpxml", kNotUtf8);
  writeFile(dir / "late-broken.fcpxml", kLateParseError);
  writeFile(dir / "late-latin1.fcpxml", kLateNotUtf8);
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_directory(dir / "Latin.fcpxmld");
  writeFile(dir / "Latin.fcpxmld/Info.fcpxml", kNotUtf8);
  std::filesystem::create_directories(dir / "Odd.fcpxmld/Info.fcpxml");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);

  struct Case {
    std::string input;
    std::string message;  // after "caplift-convert: "
    std::optional<std::string> standardInput = {};
  } cases[] = {
      {dir / "missing.fcpxml", dir / "missing.fcpxml: cannot read: No such file or directory"},
      {dir / "folder", dir / "folder: a folder without Info.fcpxml, so not an FCPXML bundle"},
      {dir / "fifo", dir / "fifo: not a regular file (use - to read standard input)"},
      {dir / "Odd.fcpxmld", dir / "Odd.fcpxmld/Info.fcpxml: cannot read: Is a directory"},
      {dir / "broken.fcpxml", dir / "broken.fcpxml: " + parserWhy(kNotWellFormed)},
      {dir / "latin1.fcpxml", dir / "latin1.fcpxml: " + parserWhy(kNotUtf8)},
      {dir / "late-broken.fcpxml", dir / "late-broken.fcpxml: " + parserWhy(kLateParseError)},
      {dir / "late-latin1.fcpxml", dir / "late-latin1.fcpxml: " + parserWhy(kLateNotUtf8)},
      {dir / "Latin.fcpxmld", dir / "Latin.fcpxmld/Info.fcpxml: " + parserWhy(kNotUtf8)},
      {"-", "standard input: " + parserWhy(kLateParseError), kLateParseError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    CliResult result = runCli({c.input}, {.input = c.standardInput});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "caplift-convert: " + c.message + "\n");
  }
}

TEST(CliConvert, AStandardOutputThatTakesNothingIsAFailure) {
  TempDir dir;
  writeFile(dir / "a.fcpxml", kDocument);
  const std::pair<CliRun, const char*> cases[] = {
      {{.stdoutPath = "/dev/full"}, "No space left on device"},
      {{.stdoutBrokenPipe = true}, "Broken pipe"},
  };
  for (const auto& [run, why] : cases) {
    CliResult result = runCli({dir / "a.fcpxml"}, run);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              std::string("caplift-convert: standard output: cannot write: ") + why + "\n");
  }
}

}  // namespace
}  // namespace caplift::test
