#pragma once

// The real exports, read in place from CAPLIFT_CORPUS_DIR (absent in a user's clone).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace caplift::testing_io {

// What a user hands the converter: the .fcpxml files and the .fcpxmld bundles, sorted; none when
// the corpus is absent.
inline std::vector<std::filesystem::path> corpusInputs() {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  std::error_code ignored;
  for (const auto& group : fs::directory_iterator(CAPLIFT_CORPUS_DIR, ignored)) {
    for (const auto& entry : fs::directory_iterator(group.path(), ignored)) {
      const fs::path extension = entry.path().extension();
      if (extension == ".fcpxml" || extension == ".fcpxmld") inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

// The document of an input: the file itself, or a bundle's Info.fcpxml.
inline std::string readDocument(const std::filesystem::path& input) {
  std::ifstream in(is_directory(input) ? input / "Info.fcpxml" : input, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace caplift::testing_io
