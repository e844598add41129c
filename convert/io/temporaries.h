#pragma once

#include <string>

namespace caplift {

// The temporary files that replace their targets on commit, kept on a list while they exist so
// that a program ended by a signal can remove them first (see removeTemporariesForExit()).

// Makes a temporary file from `pattern` (ending in "XXXXXX", filled in) as mkostemp() does, with
// O_CLOEXEC, and lists it. Returns the open file, or -1 with errno set.
int makeTemporary(std::string& pattern);
// Renames the listed temporary onto `target` and takes it off the list; 0 or the errno value.
int commitTemporary(const std::string& temporary, const std::string& target);
// Removes the listed temporary and takes it off the list.
void removeTemporary(const std::string& temporary);
// Removes every listed temporary and holds the list, so that none is made or renamed after:
// for the moment before the process ends on a signal. Not async-signal-safe: call it from a
// thread that waits for signals, not from a handler.
void removeTemporariesForExit();

}  // namespace caplift
