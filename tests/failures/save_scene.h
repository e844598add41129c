#pragma once

#include <functional>
#include <string>

#include "tests/failures/fault_setup.h"

namespace caplift::testing {

// One way for a save to fail: how to set it up in the child and where the save goes.
struct SaveFault {
  const char* name;
  // Run in the child before the scene is built (a mount), and after it (a user, a limit); each
  // returns the empty text or why the fault cannot be made here.
  std::function<std::string(const SharedTempDir&)> before;
  std::function<std::string(const SharedTempDir&)> after;
  // Builds the folder "out" and what it holds under the folder; returns the target to save to.
  std::function<std::string(const SharedTempDir&)> scene;
  // About how large the subtitles to save are.
  std::size_t subtitleBytes = 200 * 1024;
};

// The faults that every saver must survive: read-only folder (as nobody), a folder in the way,
// a full file system, a file-size limit, a file name and a path that are too long.
const std::vector<SaveFault>& saveFaults();

// What the bytes of an existing target are before the save.
inline constexpr const char* kOldTarget = "1\n00:00:01,000 --> 00:00:02,000\nOld subtitles\n\n";

// An export whose subtitles come to about `bytes` bytes: larger than the small file system and
// the file-size limit.
std::string exportWithSubtitlesOf(std::size_t bytes);

// Runs `save` (which returns the message shown for it) in a child with the fault set up, and
// checks there, while the fault's mount still exists, that the target and its folder are as they
// were. Returns "SKIP: why", or the message, a line "--", and one line per problem.
std::string saveWithFault(const SaveFault& fault, const SharedTempDir& dir,
                          const std::function<std::string(const std::string& target)>& save);

// Runs caplift-convert `input` -o `target` from a copy that any user may run; gives "exit STATUS: "
// and its standard error.
std::string convertWithTheCli(const std::string& input, const std::string& target);

// Saves an export of each fault's size (input file `inputName` in the fault's folder) with `save`
// under every fault, reports each outcome on the log, and hands the message shown for it to
// `checkMessage`; the target and its folder must come out as they were. Faults that cannot be
// made here are skipped with a notice.
void checkEverySaveFault(
    const std::string& inputName,
    const std::function<std::string(const std::string& input, const std::string& target)>& save,
    const std::function<void(const std::string& message)>& checkMessage);

}  // namespace caplift::testing
