#include "cli/report.h"

#include <unistd.h>

#include <string>

#include "convert/conversion_failure.h"
#include "convert/io/fd_io.h"

namespace caplift {

void reportError(std::string_view message) {
  reportLine(std::string(kProgramName) + ": " + displayable(message));
}

void reportLine(std::string_view line) {
  // One write per line, so that lines of parallel runs sharing a terminal do not interleave.
  // Nothing is left to do when standard error itself fails.
  (void)writeAll(STDERR_FILENO, std::string(line) + "\n");
}

}  // namespace caplift
