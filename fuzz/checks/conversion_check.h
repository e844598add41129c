#pragma once

#include <string>
#include <string_view>

namespace caplift::fuzz {

// Converts `document` three ways: whole, in small reads, and with the tree-and-XPath reference.
// All three must give the same SubRip text or the same failure, a failure must say what it is, and
// the text must have the SubRip shape. Returns what went wrong, or the empty text.
std::string checkConversion(std::string_view document);

}  // namespace caplift::fuzz
