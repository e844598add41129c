// Saves when the file system says no, by the application and by caplift-convert -o through the
// same writer: both say why in the same sentence, naming the file, and the file that was there is
// left byte for byte, with no temporary file beside it. Each fault runs in a child.
#include <gtest/gtest.h>

#include "app/document_files.h"
#include "app/translations.h"
#include "tests/failures/save_scene.h"

namespace caplift::testing {
namespace {

// Saves the subtitles of `input` to `target` as the application does (no translation installed),
// then with caplift-convert; gives the two messages on two lines.
std::string saveThroughBoth(const std::string& input, const std::string& target) {
  const ExtractResult converted = convertChosenDocument(input);
  if (!converted.ok()) return "not converted: " + converted.failure->description();
  const auto failure = writeSubtitles(target, converted.srt, input);
  return (failure ? localizedDescription(*failure).toStdString() : "saved") + "\n" +
         convertWithTheCli(input, target);
}

TEST(SaveFailure, BothFrontEndsTellWhyAlikeAndLoseNothing) {
  executableForAnyUser(CAPLIFT_CONVERT_PATH);  // copied here, before a child becomes nobody
  checkEverySaveFault("Project 1.fcpxml", saveThroughBoth, [](const std::string& message) {
    const std::string app = message.substr(0, message.find('\n'));
    EXPECT_EQ(message, app + "\nexit 1: caplift-convert: " + app + "\n");
  });
}

}  // namespace
}  // namespace caplift::testing
