#include "cli/batch.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "cli/progress_line.h"
#include "cli/report.h"
#include "convert/io/convert_input.h"
#include "convert/io/input_path.h"
#include "convert/io/output_file.h"

namespace caplift {

namespace {

namespace fs = std::filesystem;

std::string_view extensionOf(const BatchRequest& request) {
  const ConversionOptions& options = request.conversion;
  return (options.format ? *options.format : defaultFormat()).extension;
}

std::string outputPath(const BatchRequest& request, const std::string& input) {
  const std::string& dir = request.outputDir;
  return dir + (dir.ends_with('/') ? "" : "/") + proposedSubtitleName(input, extensionOf(request));
}

// Names that differ only in ASCII case are one file on the case-insensitive file systems of
// macOS and Windows, so they count as a clash everywhere.
std::string foldCase(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

// Reports every pair of inputs that would write the same file, and every output that is an input
// itself; true when there is none.
bool outputsAreDistinct(const BatchRequest& request) {
  std::map<std::string, const std::string*> firstInputFor;
  std::set<FileId> inputs;
  for (const std::string& input : request.inputs) {
    if (auto id = fileIdOf(documentPathFor(input).path)) inputs.insert(*id);
  }
  bool distinct = true;
  for (const std::string& input : request.inputs) {
    const std::string output = outputPath(request, input);
    if (auto id = fileIdOf(output); id && inputs.contains(*id)) {
      reportError(output + ": " + reason::kOutputIsInput + "; nothing converted");
      distinct = false;
    }
    auto [it, inserted] =
        firstInputFor.emplace(foldCase(proposedSubtitleName(input, extensionOf(request))), &input);
    if (inserted) continue;
    reportError(*it->second + " and " + input + " would both be written to " + output +
                "; nothing converted");
    distinct = false;
  }
  return distinct;
}

// Makes the output folder; false, after saying why, when it cannot be made.
bool makeFolder(const std::string& folder) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      ::stat(folder.c_str(), &info) != 0) {
    reportError(folder + ": a symbolic link to a folder that does not exist");
    return false;
  }
  std::error_code error;
  fs::create_directories(fs::path(folder), error);
  if (error) reportError(folder + ": " + error.message());
  return !error;
}

}  // namespace

int runBatch(const BatchRequest& request) {
  if (!outputsAreDistinct(request)) return 2;
  if (!makeFolder(request.outputDir)) return 1;

  std::size_t converted = 0;
  std::size_t failed = 0;
  std::size_t withoutCues = 0;  // converted, but empty
  ProgressLine progress(request.inputs.size(),
                        !request.quiet && progressWanted(request.inputs.size()));
  for (std::size_t i = 0; i < request.inputs.size(); ++i) {
    const std::string& input = request.inputs[i];
    progress.show(i + 1, input);
    OutputFile output(outputPath(request, input));
    ConversionReport done;
    if (auto failure = convertInput(input, output, request.conversion, &done)) {
      progress.clear();
      reportError(failure->description());
      ++failed;
    } else {
      ++converted;
      if (done.cues == 0) {
        progress.clear();
        ++withoutCues;
      }
      noteDocument(input, request.conversion, done);
      noteUnmatchedRoles(input, request.conversion, done);
    }
  }
  progress.clear();
  if (!request.quiet) {
    // Files that gave no cue are counted apart, so that an empty output is not taken for one
    // that worked.
    reportLine(withoutCues == 0
                   ? std::to_string(converted) + " converted, " + std::to_string(failed) + " failed"
                   : std::to_string(converted - withoutCues) + " converted, " +
                         std::to_string(withoutCues) + " without cues, " + std::to_string(failed) +
                         " failed");
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace caplift
