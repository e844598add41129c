#pragma once

#include <cstdint>
#include <string>

namespace caplift::reference {

// A random FCPXML-like document of the grammar in documents.grammar, the same for a number on
// every machine. A few are cut short on purpose.
std::string generatedDocument(std::uint64_t number);

}  // namespace caplift::reference
