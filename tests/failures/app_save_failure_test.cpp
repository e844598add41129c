// The application's save when the file system says no: the user hears why, naming the file, and
// the file that was there is left byte for byte, with no temporary file beside it. Each fault runs
// in a child.
#include <gtest/gtest.h>

#include "app/document_files.h"
#include "tests/failures/save_scene.h"

namespace caplift::testing {
namespace {

// Converts `input` and writes its subtitles to `target` as the application saves them; gives the
// failure's description.
std::string saveThroughTheApp(const std::string& input, const std::string& target) {
  const ExtractResult converted = convertChosenDocument(input);
  if (!converted.ok()) return "not converted: " + converted.failure->description();
  const auto failure = writeSubtitles(target, converted.srt, input);
  return failure ? failure->description() : "saved";
}

TEST(AppSaveFailure, TellsWhyAndLosesNothing) {
  checkEverySaveFault("Project 1.fcpxml", saveThroughTheApp, [](const std::string& message) {
    EXPECT_NE(message, "saved");
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  });
}

}  // namespace
}  // namespace caplift::testing
