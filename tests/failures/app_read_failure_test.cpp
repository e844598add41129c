// Inputs that cannot be read, as the application reads what the user chose: a failure that names
// the file, and above all no hang on a FIFO. Each runs in a child with a time limit. (A missing
// file or bundle document is in the app's workflow cases.)
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/document_files.h"
#include "tests/failures/fault_setup.h"
#include "tests/hostile/child_process.h"

namespace caplift::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExport =
    "<fcpxml><spine><title offset='1s' duration='2s' name='n'/></spine></fcpxml>\n";

struct ReadFault {
  const char* name;
  // Builds the input under the folder and returns the path the user chooses.
  std::function<std::string(const SharedTempDir&)> scene;
  // Runs in the child after the scene: a user to become.
  std::function<std::string()> restrict = [] { return std::string(); };
};

// Reads and converts the chosen `input`; gives the failure's description, or what went wrong.
std::string readThroughTheApp(const std::string& input) {
  const ExtractResult result = convertChosenDocument(input);
  if (result.ok()) return "converted";
  if (result.failure->kind == ConversionFailure::Kind::kParse) return "a parse failure";
  return result.failure->description();
}

TEST(AppReadFailure, FailsNamingTheFileAndNeverHangs) {
  const ReadFault kFaults[] = {
      {"input is a FIFO",
       [](const SharedTempDir& dir) {
         ::mkfifo((dir / "pipe.fcpxml").c_str(), 0666);
         return dir / "pipe.fcpxml";
       }},
      {"bundle whose document is a FIFO",
       [](const SharedTempDir& dir) {
         fs::create_directory(dir / "Piped.fcpxmld");
         ::mkfifo((dir / "Piped.fcpxmld/Info.fcpxml").c_str(), 0666);
         return dir / "Piped.fcpxmld";
       }},
      {"bundle whose document is a folder",
       [](const SharedTempDir& dir) {
         fs::create_directories(dir / "Odd.fcpxmld/Info.fcpxml");
         return dir / "Odd.fcpxmld";
       }},
      {"input that may not be read, as nobody",
       [](const SharedTempDir& dir) {
         writeBytes(dir / "secret.fcpxml", kExport);
         fs::permissions(dir / "secret.fcpxml", fs::perms::owner_read | fs::perms::owner_write);
         return dir / "secret.fcpxml";
       },
       becomeNobody},
  };
  for (const ReadFault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    SharedTempDir dir;
    const std::string input = fault.scene(dir);
    const ChildOutcome child = runInChild(
        [&] {
          if (std::string why = fault.restrict(); !why.empty()) return "SKIP: " + why;
          return readThroughTheApp(input);
        },
        30);
    ASSERT_FALSE(child.timedOut) << "reading " << input << " hung";
    ASSERT_TRUE(child.finished) << "signal " << child.signal << ": " << child.report;
    if (child.report.rfind("SKIP: ", 0) == 0) {
      std::printf("[  NOTICE  ] %s: skipped, %s\n", fault.name, child.report.c_str() + 6);
      continue;
    }
    std::printf("[  fault   ] %s: %s\n", fault.name, child.report.c_str());
    EXPECT_NE(child.report.find(input), std::string::npos) << "names no file: " << child.report;
  }
}

}  // namespace
}  // namespace caplift::testing
