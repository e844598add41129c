#include "tests/reference/reference_extract.h"

#include <libxml/SAX2.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>
#include <vector>

#include "convert/document_parser.h"
#include "convert/memory_io.h"

namespace caplift::reference {

namespace {

struct DocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct XPathContextFree {
  void operator()(xmlXPathContext* c) const { xmlXPathFreeContext(c); }
};

// Elements that the query finds from `node`, in document order; empty when the query fails.
std::vector<xmlNodePtr> query(xmlXPathContext& xpath, xmlNodePtr node, const char* expression) {
  xpath.node = node;
  std::vector<xmlNodePtr> nodes;
  xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST expression, &xpath);
  if (result == nullptr) return nodes;
  if (result->type == XPATH_NODESET && result->nodesetval != nullptr) {
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
      nodes.push_back(result->nodesetval->nodeTab[i]);
    }
  }
  xmlXPathFreeObject(result);
  return nodes;
}

// The attribute as written on the element, without namespace (no DTD defaults).
std::optional<std::string> attribute(xmlNodePtr element, const char* name) {
  for (xmlAttrPtr a = element->properties; a != nullptr; a = a->next) {
    if (a->ns == nullptr && xmlStrEqual(a->name, BAD_CAST name)) {
      xmlChar* value = xmlNodeListGetString(element->doc, a->children, 1);
      std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
      xmlFree(value);
      return text;
    }
  }
  return std::nullopt;
}

// libxml2 builds the nodes of an internal entity at its first reference and copies them at the
// next ones, with the namespaces that were in scope at the first. Dropping the entity's nodes
// makes every reference parse its content again, in place, as the streaming parser does.
xmlEntityPtr entityExpandedInPlace(void* context, const xmlChar* name) {
  xmlEntityPtr entity = xmlSAX2GetEntity(context, name);
  if (entity != nullptr && entity->etype == XML_INTERNAL_GENERAL_ENTITY && entity->owner == 1 &&
      entity->children != nullptr) {
    xmlFreeNodeList(entity->children);
    entity->children = nullptr;
    entity->last = nullptr;
  }
  return entity;
}

// Inside an entity libxml2 builds the nodes below a detached placeholder, where the namespace
// declarations in scope at the reference cannot be found: an element or attribute whose prefix (or
// default namespace) is declared outside the entity would lose its namespace, and "x:title" would
// become "title". Passing those declarations along with the element keeps the namespaces that the
// parser itself resolved.
void startElementInScope(void* context, const xmlChar* localName, const xmlChar* prefix,
                         const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                         int attributeCount, int defaultedCount, const xmlChar** attributes) {
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  std::vector<const xmlChar*> declared(namespaces, namespaces + 2 * namespaceCount);
  auto keep = [&](const xmlChar* itsPrefix, const xmlChar* itsUri) {
    if (itsUri == nullptr) return;
    for (std::size_t i = 0; i < declared.size(); i += 2) {
      if (xmlStrEqual(declared[i], itsPrefix)) return;
    }
    if (parser->node != nullptr && xmlSearchNs(parser->myDoc, parser->node, itsPrefix) != nullptr) {
      return;
    }
    declared.push_back(itsPrefix);
    declared.push_back(itsUri);
  };
  keep(prefix, uri);
  for (int i = 0; i < attributeCount; ++i) {
    if (attributes[5 * i + 1] != nullptr) keep(attributes[5 * i + 1], attributes[5 * i + 2]);
  }
  xmlSAX2StartElementNs(context, localName, prefix, uri, static_cast<int>(declared.size() / 2),
                        declared.data(), attributeCount, defaultedCount, attributes);
}

double timeAttribute(xmlNodePtr element, const char* name) {
  const auto value = attribute(element, name);
  return getTime(value ? std::optional<std::string_view>(*value) : std::nullopt);
}

std::string stringValue(xmlNodePtr element) {
  xmlChar* content = xmlNodeGetContent(element);
  std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  return text;
}

}  // namespace

ExtractResult extractSRT(std::string_view document) {
  ExtractResult result;
  MemorySource source(document);
  xmlSAXHandler sax;
  xmlSAXVersion(&sax, 2);
  sax.getEntity = entityExpandedInPlace;
  sax.startElementNs = startElementInScope;
  // Comments add nothing; without them libxml2 words its errors in comments as for the streaming
  // parser, which skips them too.
  sax.comment = nullptr;
  std::unique_ptr<xmlDoc, DocFree> doc;
  {
    DocumentParser parser(source, sax, nullptr);
    result.failure = parser.parse();
    doc.reset(parser.takeDocument());
  }
  if (result.failure) return result;

  std::unique_ptr<xmlXPathContext, XPathContextFree> xpath(xmlXPathNewContext(doc.get()));
  const auto titles = query(*xpath, reinterpret_cast<xmlNodePtr>(doc.get()), "//title");
  std::size_t number = 0;
  for (xmlNodePtr title : titles) {
    const double offset = timeAttribute(title, "offset");
    const double duration = timeAttribute(title, "duration");
    const std::string name = attribute(title, "name").value_or("");
    double parentOffset = 0;
    double parentStart = 0;
    if (title->parent != nullptr && title->parent->type == XML_ELEMENT_NODE) {
      parentOffset = timeAttribute(title->parent, "offset");
      parentStart = timeAttribute(title->parent, "start");
    }
    std::string joined;
    for (xmlNodePtr text : query(*xpath, title, ".//text")) {
      for (xmlNodePtr style : query(*xpath, text, ".//text-style")) joined += stringValue(style);
    }
    const double start = (offset + parentOffset) - parentStart;
    const double end = duration + start;
    result.srt += std::to_string(++number) + "\n" + toHMS(start) + " --> " + toHMS(end) + "\n" +
                  cueText(joined, name) + "\n\n";
  }
  return result;
}

}  // namespace caplift::reference
