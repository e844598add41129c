#include "fuzz/checks/conversion_check.h"

#include "convert/extract_srt.h"
#include "fuzz/checks/srt_shape.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift::fuzz {

namespace {

std::string describe(const ExtractResult& result) {
  if (result.ok()) return "converted (" + std::to_string(result.srt.size()) + " bytes)";
  return "refused (kind " + std::to_string(static_cast<int>(result.failure->kind)) + ": " +
         result.failure->description() + ")";
}

// Empty when `a` and `b` have the same outcome.
std::string compare(const char* what, const ExtractResult& a, const ExtractResult& b) {
  const bool same =
      a.ok() == b.ok() && (a.ok() ? a.srt == b.srt
                                  : a.failure->kind == b.failure->kind &&
                                        a.failure->description() == b.failure->description());
  if (same) return {};
  return std::string(what) + ": " + describe(a) + " but " + describe(b);
}

}  // namespace

std::string checkConversion(std::string_view document) {
  const ExtractResult whole = extractSRT(document);

  // Read sizes that vary with the input, so that every split of the text gets tried.
  testing_io::ChunkedSource source(document, 1 + document.size() % 7);
  testing_io::RecordingSink sink;
  ConversionStats stats;
  ExtractResult chunked;
  chunked.failure = convertStream(source, sink, &stats);
  if (chunked.ok()) chunked.srt = sink.text();

  if (std::string problem = compare("whole vs small reads", whole, chunked); !problem.empty()) {
    return problem;
  }
  if (std::string problem =
          compare("streaming vs reference", whole, reference::extractSRT(document));
      !problem.empty()) {
    return problem;
  }
  if (!whole.ok()) {
    return whole.failure->description().empty() ? "a failure without a description" : "";
  }
  return checkSrtShape(whole.srt, stats.cues);
}

}  // namespace caplift::fuzz
