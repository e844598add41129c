// Inputs that cannot be read, as the application reads what the user chose: a failure that names
// the file in the same sentence as caplift-convert's, and above all no hang on a FIFO. Each runs in
// a child with a time limit. (A missing file or bundle document is in the app's workflow cases.)
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/document_files.h"
#include "app/translations.h"
#include "tests/failures/save_scene.h"
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

// Reads and converts the chosen `input` as the application does, with no translation installed,
// and then with caplift-convert; gives the two messages on two lines, or what went wrong.
std::string readThroughBoth(const std::string& input) {
  const ExtractResult result = convertChosenDocument(input);
  if (result.ok()) return "converted";
  return localizedDescription(*result.failure).toStdString() + "\n" +
         convertWithTheCli(input, "/dev/null");
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
  executableForAnyUser(CAPLIFT_CONVERT_PATH);  // copied here, before a child becomes nobody
  for (const ReadFault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    SharedTempDir dir;
    const std::string input = fault.scene(dir);
    const ChildOutcome child = runInChild(
        [&] {
          if (std::string why = fault.restrict(); !why.empty()) return "SKIP: " + why;
          return readThroughBoth(input);
        },
        30);
    ASSERT_FALSE(child.timedOut) << "reading " << input << " hung";
    ASSERT_TRUE(child.finished) << "signal " << child.signal << ": " << child.report;
    if (child.report.rfind("SKIP: ", 0) == 0) {
      std::printf("[  NOTICE  ] %s: skipped, %s\n", fault.name, child.report.c_str() + 6);
      continue;
    }
    const std::string app = child.report.substr(0, child.report.find('\n'));
    std::printf("[  fault   ] %s: %s\n", fault.name, app.c_str());
    EXPECT_NE(app.find(input), std::string::npos) << "names no file: " << app;
    EXPECT_EQ(child.report, app + "\nexit 1: caplift-convert: " + app + "\n");
  }
}

}  // namespace
}  // namespace caplift::testing
