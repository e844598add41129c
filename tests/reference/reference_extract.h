#pragma once

#include <string_view>

#include "convert/conversion.h"

namespace caplift::reference {

// The conversion written the slow, literal way, to check the streaming one against: the document
// becomes a libxml2 tree (with the same parser policy), the titles and their texts are found with
// XPath, and each cue is built from whole string values.
ExtractResult extractSRT(std::string_view document);

}  // namespace caplift::reference
