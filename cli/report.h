#pragma once

#include <string>
#include <string_view>

namespace caplift {

struct ConversionOptions;
struct ConversionReport;

inline constexpr const char* kProgramName = "caplift-convert";

// Writes "caplift-convert: <message>" and a line feed to standard error, the message as one line
// of UTF-8 text (see displayable()).
void reportError(std::string_view message);

// Writes `line` and a line feed to standard error.
void reportLine(std::string_view line);

// After a conversion with --role that kept no cue: says so, with the roles the input has, as a
// note rather than a failure.
void noteUnmatchedRoles(const std::string& input, const ConversionOptions& options,
                        const ConversionReport& report);

// After a conversion: says when the document is no FCPXML export, or when it has no cue of the
// kind asked for but some of the other kind, naming the option that shows them.
void noteDocument(const std::string& input, const ConversionOptions& options,
                  const ConversionReport& report);

}  // namespace caplift
