#pragma once

#include <functional>
#include <string>

namespace caplift::testing {

// What a forked child did.
struct ChildOutcome {
  bool finished = false;  // returned from its body (not killed, not timed out)
  bool timedOut = false;
  int signal = 0;      // the signal that ended it, if one did
  std::string report;  // what the body returned
};

// Runs `body` in a forked child, so that a crash, a hang or a large allocation (or a change of
// user, mounts or limits) stays there; an alarm ends the child after `timeoutSeconds`.
ChildOutcome runInChild(const std::function<std::string()>& body, int timeoutSeconds = 120);

// Drops root for the user "nobody", so that file permissions apply. Returns the empty text, or
// why not.
std::string becomeNobody();

// A path by which any user can run the program at `path`: a copy under the temporary folder,
// removed at exit. The checkout may lie in a folder that others cannot enter, as root's home is.
std::string executableForAnyUser(const std::string& path);

}  // namespace caplift::testing
