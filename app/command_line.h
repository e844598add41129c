#pragma once

#include <optional>

namespace caplift {

// Answers --help (-h) and --version (-v) by printing to standard output, before any window or
// display is needed; returns the exit status then, nothing when the application is to start.
std::optional<int> answerWithoutWindows(int argc, char** argv);

}  // namespace caplift
