#include "convert/extract_srt.h"

#include <libxml/SAX2.h>

#include "convert/document_parser.h"
#include "convert/memory_io.h"
#include "convert/title_collector.h"

namespace caplift {

namespace {

ConversionFailure writeFailure() {
  return {ConversionFailure::Kind::kWrite, {}, reason::kOutputFailed, {}};
}

}  // namespace

std::optional<ConversionFailure> convertStream(ByteSource& source, TextSink& sink,
                                               ConversionStats* stats) {
  TitleCollector collector(sink);
  xmlSAXHandler sax;
  xmlSAXVersion(&sax, 2);
  TitleCollector::useCallbacks(sax);
  DocumentParser parser(source, sax, &collector);
  if (parser.context() != nullptr) collector.useDictionary(parser.context()->dict);
  const auto failure = parser.parse();
  if (collector.writeFailed()) return writeFailure();
  if (failure) return failure;
  if (!collector.finish()) return writeFailure();
  if (stats != nullptr) stats->cues = collector.cues();
  return std::nullopt;
}

ExtractResult extractSRT(std::string_view document) {
  MemorySource source(document);
  StringSink sink;
  // SubRip text is a fraction of the document it comes from; room reserved and never used is
  // never touched, while growing a large text by doubling copies it again and again.
  sink.text().reserve(document.size() / 4);
  ExtractResult result;
  result.failure = convertStream(source, sink);
  if (result.ok()) result.srt = std::move(sink.text());
  return result;
}

}  // namespace caplift
