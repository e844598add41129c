#include "convert/io/input_path.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace caplift {

bool isFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

DocumentPath documentPathFor(const std::string& path) {
  if (!isFolder(path)) return {path, {}};
  const std::string inner = path + (path.ends_with('/') ? "" : "/") + kBundleDocumentName;
  struct stat info {};
  if (::stat(inner.c_str(), &info) == 0) return {inner, {}};
  if (errno == ENOENT) {
    return {{}, ConversionFailure{ConversionFailure::Kind::kRead, path, reason::kNotABundle, {}}};
  }
  return {{}, systemFailure(ConversionFailure::Kind::kRead, path, errno)};
}

bool hasExtension(std::string_view name, std::string_view extension) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return name.size() > extension.size() &&
         std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                    [&](char a, char b) { return lower(a) == lower(b); });
}

std::string proposedSubtitleName(const std::string& inputPath, std::string_view extension) {
  std::string name = inputPath;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  // A bundle's own document is named after the bundle, as the bundle itself is.
  const std::string inBundle = std::string("/") + kBundleDocumentName;
  if (name.ends_with(inBundle) && hasExtension(name.substr(0, name.size() - inBundle.size()),
                                               kBundleExtension)) {
    name.resize(name.size() - inBundle.size());
  }
  if (auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
  // A leading dot starts a hidden name, not an extension.
  if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name.append(extension);
}

}  // namespace caplift
