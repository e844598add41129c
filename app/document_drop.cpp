#include "app/document_drop.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace caplift {

namespace {

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

bool isOpenableDrop(const std::vector<std::string>& paths) {
  if (paths.size() != 1) return false;
  std::string_view path = paths.front();
  // A dragged folder may come with a trailing slash.
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  constexpr std::array<std::string_view, 3> kExtensions{".fcpxml", ".xml", ".fcpxmld"};
  return std::any_of(kExtensions.begin(), kExtensions.end(), [&](std::string_view extension) {
    // The extension alone (a hidden file named ".xml") is no document name.
    return path.size() > extension.size() && path[path.size() - extension.size() - 1] != '/' &&
           endsWithIgnoringCase(path, extension);
  });
}

}  // namespace caplift
