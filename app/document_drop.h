#pragma once

#include <string>
#include <vector>

namespace caplift {

// Whether a drop of `paths` on the main window is one document to open: exactly one path whose
// extension is .fcpxml, .xml or .fcpxmld, in any letter case.
bool isOpenableDrop(const std::vector<std::string>& paths);

}  // namespace caplift
