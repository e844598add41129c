#include "convert/input_path.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace caplift {
namespace {

TEST(InputPath, ProposedSrtName) {
  const std::pair<const char*, const char*> kCases[] = {
      {"Project 1.fcpxml", "Project 1.srt"},
      {"/a/b/Project 1.fcpxmld", "Project 1.srt"},
      {"/a/b/Project 1.fcpxmld/", "Project 1.srt"},
      {"titles", "titles.srt"},
      {"archive.tar.xml", "archive.tar.srt"},
      {"/x.d/titles", "titles.srt"},
      {".hidden", ".hidden.srt"},
  };
  for (const auto& [input, name] : kCases) EXPECT_EQ(proposedSrtName(input), name) << input;
}

TEST(InputPath, BundleGivesItsDocument) {
  namespace fs = std::filesystem;
  const fs::path root =
      fs::temp_directory_path() / ("caplift-bundle-" + std::to_string(::getpid()));
  fs::create_directories(root / "Good.fcpxmld");
  fs::create_directories(root / "Empty.fcpxmld");
  std::ofstream(root / "Good.fcpxmld" / "Info.fcpxml") << "<fcpxml/>";
  std::ofstream(root / "plain.fcpxml") << "<fcpxml/>";

  const DocumentPath good = documentPathFor((root / "Good.fcpxmld").string());
  EXPECT_TRUE(good.ok());
  EXPECT_EQ(good.path, (root / "Good.fcpxmld" / "Info.fcpxml").string());
  const DocumentPath plain = documentPathFor((root / "plain.fcpxml").string());
  EXPECT_EQ(plain.path, (root / "plain.fcpxml").string());
  const DocumentPath empty = documentPathFor((root / "Empty.fcpxmld").string());
  EXPECT_FALSE(empty.ok());
  EXPECT_NE(empty.error.find("Info.fcpxml"), std::string::npos);
  fs::remove_all(root);
}

}  // namespace
}  // namespace caplift
