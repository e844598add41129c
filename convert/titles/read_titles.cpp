#include "convert/titles/read_titles.h"

#include <libxml/SAX2.h>

#include "convert/titles/title_collector.h"
#include "convert/xml/document_parser.h"

namespace caplift {

std::optional<ConversionFailure> readTitles(ByteSource& source, CueStream& cues, CueSource from,
                                            DocumentNotes* notes) {
  TitleCollector collector(cues, from);
  xmlSAXHandler sax;
  xmlSAXVersion(&sax, 2);
  TitleCollector::useCallbacks(sax);
  DocumentParser parser(source, sax, &collector);
  if (parser.context() != nullptr) collector.useDictionary(parser.context()->dict);
  auto failure = parser.parse();
  if (notes != nullptr) *notes = collector.notes();
  return failure;
}

}  // namespace caplift
