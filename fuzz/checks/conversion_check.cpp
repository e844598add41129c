#include "fuzz/checks/checks.h"

#include "convert/extract_srt.h"
#include "fuzz/checks/srt_shape.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift::fuzz {

namespace {

std::string describe(const ExtractResult& result) {
  return result.ok() ? "converted: " + result.srt : "refused: " + result.failure->description();
}

}  // namespace

std::string checkConversion(std::string_view document) {
  const ExtractResult whole = extractSRT(document);
  // Read sizes that vary with the input, so that every split of the text gets tried.
  testing_io::ChunkedSource source(document, 1 + document.size() % 7);
  testing_io::RecordingSink sink;
  ConversionStats stats;
  const auto failure = convertStream(source, sink, &stats);
  const std::string chunked =
      failure ? "refused: " + failure->description() : "converted: " + sink.text();
  if (chunked != describe(whole)) return "whole: " + describe(whole) + "\nsmall reads: " + chunked;
  const std::string reference = describe(reference::extractSRT(document));
  if (reference != describe(whole))
    return "streaming: " + describe(whole) + "\nreference: " + reference;
  if (failure) return failure->description().empty() ? "a refusal that does not say why" : "";
  return checkSrtShape(whole.srt, stats.cues);
}

}  // namespace caplift::fuzz
