#include "tests/reference/reference_extract.h"

#include <libxml/SAX2.h>
#include <libxml/xpath.h>

#include <memory>
#include <vector>

#include "convert/cues/cue_text.h"
#include "convert/cues/srt_writer.h"
#include "convert/io/memory_io.h"
#include "convert/titles/time_value.h"
#include "convert/xml/document_parser.h"

namespace caplift::reference {

namespace {

struct XPath {
  explicit XPath(xmlDoc& tree) : context(xmlXPathNewContext(&tree)) {}
  ~XPath() { xmlXPathFreeContext(context); }
  // The result of `expression` evaluated at `node`; the caller frees it.
  xmlXPathObjectPtr eval(xmlNodePtr node, const char* expression) const {
    context->node = node;
    return xmlXPathEvalExpression(BAD_CAST expression, context);
  }
  std::vector<xmlNodePtr> nodes(xmlNodePtr node, const char* expression) const {
    xmlXPathObjectPtr result = eval(node, expression);
    std::vector<xmlNodePtr> found;
    if (result != nullptr && result->nodesetval != nullptr) {
      found.assign(result->nodesetval->nodeTab,
                   result->nodesetval->nodeTab + result->nodesetval->nodeNr);
    }
    xmlXPathFreeObject(result);
    return found;
  }
  std::string string(xmlNodePtr node, const char* expression) const {
    xmlXPathObjectPtr result = eval(node, expression);
    std::string text = result != nullptr ? reinterpret_cast<const char*>(result->stringval) : "";
    xmlXPathFreeObject(result);
    return text;
  }
  xmlXPathContextPtr context;
};

// libxml2 builds the nodes of an internal entity at its first reference and copies them at the
// next ones, with the namespaces in scope at the first. Dropping them makes every reference parse
// the content again, in place, as the streaming parser does.
xmlEntityPtr entityExpandedInPlace(void* context, const xmlChar* name) {
  xmlEntityPtr entity = xmlSAX2GetEntity(context, name);
  if (entity != nullptr && entity->etype == XML_INTERNAL_GENERAL_ENTITY && entity->owner == 1) {
    xmlFreeNodeList(entity->children);
    entity->children = entity->last = nullptr;
  }
  return entity;
}

// Inside an entity libxml2 builds the nodes below a detached placeholder, where the namespaces
// declared around the reference cannot be found: "x:title" would become "title". Passing the
// prefixes the parser itself resolved along with the element keeps them.
void startElementInScope(void* context, const xmlChar* localName, const xmlChar* prefix,
                         const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                         int attributeCount, int defaultedCount, const xmlChar** attributes) {
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  std::vector<const xmlChar*> declared(namespaces, namespaces + 2 * namespaceCount);
  auto keep = [&](const xmlChar* itsPrefix, const xmlChar* itsUri) {
    for (std::size_t i = 0; i < declared.size(); i += 2) {
      if (xmlStrEqual(declared[i], itsPrefix)) return;
    }
    if (itsUri == nullptr || (parser->node != nullptr &&
                              xmlSearchNs(parser->myDoc, parser->node, itsPrefix) != nullptr)) {
      return;
    }
    declared.insert(declared.end(), {itsPrefix, itsUri});
  };
  keep(prefix, uri);
  for (int i = 0; i < attributeCount; ++i) {
    if (attributes[5 * i + 1] != nullptr) keep(attributes[5 * i + 1], attributes[5 * i + 2]);
  }
  xmlSAX2StartElementNs(context, localName, prefix, uri, static_cast<int>(declared.size() / 2),
                        declared.data(), attributeCount, defaultedCount, attributes);
}

// The document as a tree, or why it could not be read.
std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> parseTree(
    std::string_view document, std::optional<ConversionFailure>& failure) {
  MemorySource source(document);
  xmlSAXHandler sax;
  xmlSAXVersion(&sax, 2);
  sax.getEntity = entityExpandedInPlace;
  sax.startElementNs = startElementInScope;
  // As for the streaming parser, which skips comments: libxml2 words some errors after them.
  sax.comment = nullptr;
  DocumentParser parser(source, sax, nullptr);
  failure = parser.parse();
  return {failure ? nullptr : parser.takeDocument(), xmlFreeDoc};
}

}  // namespace

ExtractResult extractSRT(std::string_view document) {
  ExtractResult result;
  const auto tree = parseTree(document, result.failure);
  if (!tree) return result;
  const XPath xpath(*tree);
  std::size_t number = 0;
  for (xmlNodePtr title : xpath.nodes(reinterpret_cast<xmlNodePtr>(tree.get()), "//title")) {
    // A missing attribute reads as "", which is 0 seconds as well.
    const auto time = [&](const char* attribute) {
      return getTime(xpath.string(title, attribute));
    };
    std::string joined;
    for (xmlNodePtr text : xpath.nodes(title, ".//text")) {
      for (xmlNodePtr style : xpath.nodes(text, ".//text-style")) {
        joined += xpath.string(style, "string(.)");
      }
    }
    const double start =
        (time("string(@offset)") + time("string(../@offset)")) - time("string(../@start)");
    const std::string_view collected = trimWhiteSpace(joined);
    const std::string name = xpath.string(title, "string(@name)");
    std::string text;
    appendWithoutBlankLines(text, collected.empty() ? std::string_view(name) : collected);
    Cue cue;
    cue.start = millisecondsOf(start);
    cue.end = millisecondsOf(time("string(@duration)") + start);
    cue.text = text;
    appendCueBlock(result.srt, ++number, cue);
  }
  return result;
}

}  // namespace caplift::reference
