#pragma once

#include <string_view>

namespace caplift {

inline constexpr const char* kProgramName = "caplift-convert";

// Writes "caplift-convert: <message>" and a line feed to standard error, the message as one line
// of UTF-8 text (see displayable()).
void reportError(std::string_view message);

// Writes `line` and a line feed to standard error.
void reportLine(std::string_view line);

}  // namespace caplift
