// Writes the starting inputs of the fuzz targets: the documents of the conversion table and
// generated ones for the conversion, the time values of the values table for the time target.
// Real exports are handed to the fuzzer by run.sh as a second, read-only folder.
//   caplift_fuzz_seeds CONVERT_DIR TIME_DIR
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/reference/document_generator.h"
#include "tests/support/case_file.h"

namespace {

void write(const std::filesystem::path& folder, std::size_t n, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / ("seed-" + std::to_string(n)), std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    std::fprintf(stderr, "caplift_fuzz_seeds: cannot write in %s\n", folder.c_str());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace caplift::test;
  if (argc != 3) {
    std::fprintf(stderr, "usage: caplift_fuzz_seeds CONVERT_DIR TIME_DIR\n");
    return 2;
  }
  std::size_t n = 0;
  for (const Case& c : loadCases(CAPLIFT_CONVERT_CASES "/conversions.cases")) {
    write(argv[1], n++, joined(c, "doc").value_or(""));
  }
  for (int i = 0; i < 200; ++i) write(argv[1], n++, caplift::reference::generatedDocument(i));
  for (const Case& c : loadCases(CAPLIFT_CONVERT_CASES "/values.cases")) {
    for (const CaseLine& line : c.lines) {
      if (line.directive == "time") write(argv[2], n++, words(line.rest).at(0));
    }
  }
  return 0;
}
