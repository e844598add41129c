#pragma once

#include <cstddef>
#include <string_view>

namespace caplift {

// A line on standard error that shows how far a batch is ("[ 37/120] name.fcpxml": 37 of 120
// done, name.fcpxml in the works), redrawn in place. Disabled, it prints nothing.
class ProgressLine {
 public:
  ProgressLine(std::size_t total, bool enabled);
  ~ProgressLine() { clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Shows that `done` inputs of the total are converted and that `name` is being converted.
  void show(std::size_t done, std::string_view name);
  // Removes the line, e.g. before a message or at the end.
  void clear();

 private:
  std::size_t total_;
  bool enabled_;
  bool shown_ = false;
};

// True when standard error is a terminal and `inputs` is enough to make progress worth showing.
bool progressWanted(std::size_t inputs);

}  // namespace caplift
