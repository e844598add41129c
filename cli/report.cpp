#include "cli/report.h"

#include <unistd.h>

#include <string>

#include "convert/conversion.h"
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

namespace {

std::string inputName(const std::string& input) {
  return input == "-" ? std::string("standard input") : input;
}

}  // namespace

void noteDocument(const std::string& input, const ConversionOptions& options,
                  const ConversionReport& report) {
  const DocumentNotes& notes = report.notes;
  if (!notes.isFcpxml()) {
    reportError(inputName(input) + ": not a Final Cut Pro X export (its root element is <" +
                notes.root + ">); export it with File \u203A Export XML\u2026");
    return;
  }
  if (!report.roles.empty() || notes.otherKind == 0 || options.source == CueSource::kAll) return;
  const bool titles = options.source == CueSource::kTitles;
  const std::string other = titles ? " caption" : " title";
  reportError(inputName(input) + (titles ? ": no titles, but " : ": no captions, but ") +
              std::to_string(notes.otherKind) + other + (notes.otherKind == 1 ? "" : "s") +
              ": add --source" + other + "s");
}

void noteUnmatchedRoles(const std::string& input, const ConversionOptions& options,
                        const ConversionReport& report) {
  if (options.roles.empty() || options.listRoles || report.cues != 0) return;
  const auto list = [](const auto& items, auto text) {
    std::string joined;
    for (const auto& item : items) joined += (joined.empty() ? "" : ", ") + text(item);
    return joined.empty() ? std::string("none") : joined;
  };
  const std::string asked = list(options.roles, [](const std::string& r) { return r; });
  const std::string present = list(report.roles, [](const RoleCount& r) { return r.role; });
  reportError(inputName(input) + ": no cue has the role " + asked +
              "; the roles present: " + present);
}

}  // namespace caplift
