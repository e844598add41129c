#include "cli/batch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

#include "cli/convert_input.h"
#include "cli/progress_line.h"
#include "cli/report.h"
#include "cli/save_file_output.h"
#include "convert/input_path.h"

namespace caplift {

namespace {

namespace fs = std::filesystem;

std::string outputPath(const std::string& dir, const std::string& input) {
  return dir + (dir.ends_with('/') ? "" : "/") + proposedSrtName(input);
}

// Names that differ only in ASCII case are one file on the case-insensitive file systems of
// macOS and Windows, so they count as a clash everywhere.
std::string foldCase(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

// Reports every pair of inputs that would write the same file; true when there is none.
bool outputsAreDistinct(const BatchRequest& request) {
  std::map<std::string, const std::string*> firstInputFor;
  bool distinct = true;
  for (const std::string& input : request.inputs) {
    auto [it, inserted] = firstInputFor.emplace(foldCase(proposedSrtName(input)), &input);
    if (inserted) continue;
    reportError(*it->second + " and " + input + " would both be written to " +
                outputPath(request.outputDir, input) + "; nothing converted");
    distinct = false;
  }
  return distinct;
}

}  // namespace

int runBatch(const BatchRequest& request) {
  if (!outputsAreDistinct(request)) return 2;

  std::error_code error;
  fs::create_directories(fs::path(request.outputDir), error);
  if (error) {
    reportError(request.outputDir + ": cannot create the folder: " + error.message());
    return 1;
  }

  std::size_t converted = 0;
  std::size_t failed = 0;
  ProgressLine progress(request.inputs.size(),
                        !request.quiet && progressWanted(request.inputs.size()));
  for (std::size_t i = 0; i < request.inputs.size(); ++i) {
    const std::string& input = request.inputs[i];
    progress.show(i + 1, input);
    std::string target = outputPath(request.outputDir, input);
    SaveFileOutput output(target);
    if (auto failure = convertInput(input, output, target, request.timeline)) {
      progress.clear();
      reportError(*failure);
      ++failed;
    } else {
      ++converted;
    }
  }
  progress.clear();
  if (!request.quiet) {
    reportLine(std::to_string(converted) + " converted, " + std::to_string(failed) + " failed");
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace caplift
