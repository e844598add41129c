// caplift-convert on the real exports, bundles included: the same text as the library.
#include <gtest/gtest.h>

#include "convert/extract_srt.h"
#include "tests/cli/cli_runner.h"
#include "tests/convert/corpus_files.h"

namespace caplift::test {
namespace {

TEST(CliCorpus, ABatchConvertsEveryExportAsTheLibraryDoes) {
  std::vector<std::string> args;
  for (const auto& input : testing_io::corpusInputs()) args.push_back(input.string());
  if (args.empty()) GTEST_SKIP() << "no corpus at " << CAPLIFT_CORPUS_DIR << "; skipped";
  const std::size_t inputs = args.size();
  TempDir out;
  args.insert(args.end(), {"-d", out.path()});
  CliResult result = runCli({.args = args});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, std::to_string(inputs) + " converted, 0 failed\n");
  EXPECT_EQ(listDir(out.path()).size(), inputs);
  for (std::size_t i = 0; i < inputs; ++i) {
    const std::string name = std::filesystem::path(args[i]).stem().string() + ".srt";
    EXPECT_EQ(readFile(out / name), extractSRT(testing_io::readDocument(args[i])).srt) << name;
  }
}

}  // namespace
}  // namespace caplift::test
