// caplift-convert on the real exports: the same text as the library, one file at a time and in a
// batch.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "convert/extract_srt.h"
#include "tests/cli/cli_runner.h"

namespace caplift::test {
namespace {

namespace fs = std::filesystem;

// Every input the converter takes from the corpus: the .fcpxml files and the bundles.
std::vector<std::string> corpusInputs() {
  std::vector<std::string> inputs;
  std::error_code ignored;
  for (const auto& group : fs::directory_iterator(CAPLIFT_CORPUS_DIR, ignored)) {
    for (const auto& entry : fs::directory_iterator(group.path(), ignored)) {
      std::string ext = entry.path().extension().string();
      if (ext == ".fcpxml" || ext == ".fcpxmld") inputs.push_back(entry.path().string());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

class CliCorpus : public testing::Test {
 protected:
  void SetUp() override {
    inputs = corpusInputs();
    if (inputs.empty()) GTEST_SKIP() << "no corpus at " << CAPLIFT_CORPUS_DIR << "; skipped";
  }
  std::vector<std::string> inputs;
};

std::string expectedSrt(const std::string& input) {
  std::string document = fs::is_directory(input) ? input + "/Info.fcpxml" : input;
  ExtractResult result = extractSRT(readFile(document).value_or(""));
  EXPECT_TRUE(result.ok()) << input;
  return result.srt;
}

TEST_F(CliCorpus, EachExportGivesTheLibrarysText) {
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    CliResult result = runCli({input});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, expectedSrt(input));
  }
}

TEST_F(CliCorpus, ABatchConvertsEveryExport) {
  std::vector<std::string> args;
  std::copy_if(inputs.begin(), inputs.end(), std::back_inserter(args),
               [](const std::string& input) { return input.ends_with(".fcpxml"); });
  std::size_t files = args.size();
  TempDir out;
  args.insert(args.end(), {"-d", out.path()});
  CliResult result = runCli(args);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, std::to_string(files) + " converted, 0 failed\n");
  EXPECT_EQ(listDir(out.path()).size(), files);
  for (std::size_t i = 0; i < files; ++i) {
    std::string name = fs::path(args[i]).stem().string() + ".srt";
    EXPECT_EQ(readFile(out / name), expectedSrt(args[i])) << name;
  }
}

}  // namespace
}  // namespace caplift::test
