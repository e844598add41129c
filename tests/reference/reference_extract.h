#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string_view>

#include "convert/extract_srt.h"

namespace caplift::reference {

// The conversion written the slow, literal way, to check the streaming one against: the document
// becomes a libxml2 tree (with the same parser policy), the titles and their texts are found with
// XPath, and each cue is built from whole string values.
ExtractResult extractSRT(std::string_view document);

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Tree = std::unique_ptr<xmlDoc, DocFree>;

// The document as a tree, or why it could not be read.
Tree parseTree(std::string_view document, std::optional<ConversionFailure>* failure = nullptr);
// The number that the XPath expression `count(...)` gives on the tree.
double count(xmlDoc& tree, const char* expression);

}  // namespace caplift::reference
