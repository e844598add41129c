#include "convert/input_path.h"

#include <filesystem>
#include <system_error>

namespace caplift {

namespace fs = std::filesystem;

bool isFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::u8path(path), ec);
}

DocumentPath documentPathFor(const std::string& path) {
  if (!isFolder(path)) return {path, {}};
  fs::path inner = fs::u8path(path) / kBundleDocumentName;
  std::error_code ec;
  if (!fs::exists(inner, ec)) {
    return {{}, "\"" + path + "\" is a folder without the document " + kBundleDocumentName +
                    " (is it an FCPXML bundle?)"};
  }
  // In C++20 u8string() gives std::u8string; the bytes are the same UTF-8.
  const std::u8string text = inner.u8string();
  return {std::string(text.begin(), text.end()), {}};
}

std::string proposedSrtName(const std::string& inputPath) {
  std::string name = inputPath;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  if (auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
  // A leading dot starts a hidden name, not an extension.
  if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name + ".srt";
}

}  // namespace caplift
