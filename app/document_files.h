#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/extract_srt.h"

namespace caplift {

// The application's two trips to the disk.

// Reads the chosen input (a file, or the Info.fcpxml of an .fcpxmld bundle) and converts it.
// A failure is kRead or kNotUtf8 when the input cannot be read as UTF-8 text, its description a
// sentence that names the file; kParse when the document is not well-formed.
ExtractResult convertChosenDocument(const std::string& chosenPath);

// Writes `text` through a temporary file in the target's folder that then replaces the target, so
// the target is either the new text or what it was before, and no temporary file stays behind.
// Gives nothing, or a sentence that names the file and says what went wrong.
std::optional<std::string> writeSubtitles(const std::string& target, std::string_view text);

}  // namespace caplift
