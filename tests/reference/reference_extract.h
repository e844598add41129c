#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/extract_srt.h"

namespace caplift::reference {

// The conversion done the slow, literal way, as a check on the streaming one: the document is
// parsed into a libxml2 tree (with the same parser policy), titles are found with the XPath
// queries "//title", ".//text" and ".//text-style", and each cue is built from whole string
// values. Shares no conversion code with convert/ beyond the parser policy.
ExtractResult extractSRT(std::string_view document);

// The time value and timestamp, written out step by step.
double getTime(std::optional<std::string_view> value);
std::string toHMS(double seconds);

// Cue text: the joined text trimmed once at both ends (Unicode White_Space), or the name when
// that leaves nothing; then without its blank lines.
std::string cueText(std::string_view joinedText, std::string_view name);

}  // namespace caplift::reference
