#pragma once

#include <string>
#include <vector>

namespace caplift {

// The inputs of a batch with each folder that is not a bundle (it has no Info.fcpxml) replaced by
// the .fcpxml files and .fcpxmld bundles directly inside it, in name order. A folder that cannot
// be read, or holds none, stays as it is, for the conversion to say why.
std::vector<std::string> expandFolders(const std::vector<std::string>& inputs);

}  // namespace caplift
