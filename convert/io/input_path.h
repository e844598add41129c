#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/conversion_failure.h"

namespace caplift {

// Current exports are bundles: a folder "Name.fcpxmld" with the document in "Info.fcpxml" at its
// root. Older exports are a single .fcpxml or .xml file.
inline constexpr const char* kBundleExtension = ".fcpxmld";
inline constexpr const char* kBundleDocumentName = "Info.fcpxml";

struct DocumentPath {
  std::string path;                          // the document to read
  std::optional<ConversionFailure> failure;  // why the input holds no document, naming it
  bool ok() const { return !failure; }
};

// True when `path` names a folder (a bundle, whatever its name).
bool isFolder(const std::string& path);

// The document to read for an input: the path itself for a file, Info.fcpxml inside a folder.
// A folder without Info.fcpxml, or one that cannot be looked into, is a failure that says so.
DocumentPath documentPathFor(const std::string& path);

// True when `name` ends in `extension` after at least one other character, ignoring ASCII case.
bool hasExtension(std::string_view name, std::string_view extension);

// The file name to propose for the subtitles of `inputPath`: its last path component with its last
// extension removed, then `extension` ("Project 1.fcpxml" and "Project 1.fcpxmld" give
// "Project 1.srt", "titles" gives "titles.srt"). A trailing slash is ignored, and the document
// inside a bundle ("Project 1.fcpxmld/Info.fcpxml") is named after the bundle.
std::string proposedSubtitleName(const std::string& inputPath, std::string_view extension = ".srt");

}  // namespace caplift
