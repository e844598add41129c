#include "cli/batch_inputs.h"

#include <dirent.h>

#include <algorithm>

#include "convert/io/input_path.h"

namespace caplift {

namespace {

// The exports directly inside `folder`, in name order; none when it cannot be read.
std::vector<std::string> exportsIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.starts_with('.')) continue;
    if (hasExtension(name, ".fcpxml") || hasExtension(name, kBundleExtension)) {
      names.push_back(name);
    }
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  const std::string prefix = folder + (folder.ends_with('/') ? "" : "/");
  for (std::string& name : names) name.insert(0, prefix);
  return names;
}

}  // namespace

std::vector<std::string> expandFolders(const std::vector<std::string>& inputs) {
  std::vector<std::string> expanded;
  for (const std::string& input : inputs) {
    const std::vector<std::string> inside =
        isFolder(input) && !documentPathFor(input).ok() ? exportsIn(input)
                                                        : std::vector<std::string>();
    if (inside.empty()) {
      expanded.push_back(input);
    } else {
      expanded.insert(expanded.end(), inside.begin(), inside.end());
    }
  }
  return expanded;
}

}  // namespace caplift
