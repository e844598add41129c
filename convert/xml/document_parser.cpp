#include "convert/xml/document_parser.h"

#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlversion.h>

#include <mutex>
#include <string>

namespace caplift {

namespace {

constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_IGNORE_ENC;

// What all entity expansions together may add: this much, plus this many times the part of the
// document read so far. Exports use no entities of their own; a few small ones stay far below.
constexpr unsigned long long kFreeExpansionBytes = 1 << 20;
constexpr unsigned long long kExpansionFactor = 10;

// External entities become empty internal ones at their declaration: a reference to one adds
// nothing, and the parser never tries to load it. Their names are kept, as a reference to one in
// an attribute value is still refused.
void declareEntity(void* context, const xmlChar* name, int type, const xmlChar* publicId,
                   const xmlChar* systemId, xmlChar* content) {
  static xmlChar empty[] = "";
  if (type == XML_EXTERNAL_GENERAL_PARSED_ENTITY) {
    auto* parser = static_cast<DocumentParser*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    parser->noteExternalEntity(name);
    xmlSAX2EntityDecl(context, name, XML_INTERNAL_GENERAL_ENTITY, nullptr, nullptr, empty);
  } else if (type == XML_EXTERNAL_PARAMETER_ENTITY) {
    xmlSAX2EntityDecl(context, name, XML_INTERNAL_PARAMETER_ENTITY, nullptr, nullptr, empty);
  } else {
    xmlSAX2EntityDecl(context, name, type, publicId, systemId, content);
  }
}

xmlParserInputPtr refuseEntity(void*, const xmlChar*, const xmlChar*) {
  return nullptr;
}

xmlParserInputPtr refuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
  return nullptr;
}

// The loader is process-wide in libxml2; this library is its only user in the process, and a
// document never needs anything from outside itself. Set once, as a second lock behind
// declareEntity().
void refuseExternalLoadsProcessWide() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    xmlSetExternalEntityLoader(refuseExternalEntity);
  });
}

#if LIBXML_VERSION >= 21200
using ErrorPointer = const xmlError*;
#else
using ErrorPointer = xmlErrorPtr;
#endif

void collectError(void* userData, ErrorPointer error) {
  auto* context = static_cast<xmlParserCtxtPtr>(userData);
  if (error == nullptr || context == nullptr || context->_private == nullptr) return;
  static_cast<DocumentParser*>(context->_private)->noteError(*error);
}

// Every reference to a general entity, in the content or in an attribute value, asks for the
// entity here; plain text is expanded anew at each reference.
xmlEntityPtr countedEntity(void* context, const xmlChar* name) {
  auto* parserContext = static_cast<xmlParserCtxtPtr>(context);
  auto* parser = static_cast<DocumentParser*>(parserContext->_private);
  return parser->noteExpansion(context, name);
}

int readInput(void* input, char* buffer, int capacity) {
  return static_cast<DocumentInput*>(input)->read(buffer, capacity);
}

int closeInput(void*) {
  return 0;
}

}  // namespace

DocumentParser::DocumentParser(ByteSource& source, const xmlSAXHandler& sax, void* handler)
    : input_(source), handler_(handler), sax_(sax) {
  refuseExternalLoadsProcessWide();
  sax_.initialized = XML_SAX2_MAGIC;
  getEntity_ = sax_.getEntity != nullptr ? sax_.getEntity : xmlSAX2GetEntity;
  sax_.getEntity = countedEntity;
  sax_.entityDecl = declareEntity;
  sax_.resolveEntity = refuseEntity;
  sax_.externalSubset = nullptr;  // never read the external DTD
  sax_.serror = collectError;
  sax_.warning = nullptr;
  sax_.error = nullptr;
  sax_.fatalError = nullptr;
  // No user data: libxml2's own DTD and tree callbacks expect the parser context.
  context_ =
      xmlCreateIOParserCtxt(&sax_, nullptr, readInput, closeInput, &input_, XML_CHAR_ENCODING_NONE);
  if (context_ == nullptr) return;
  context_->_private = this;
  xmlCtxtUseOptions(context_, kParseOptions);
  // Fixes the encoding before the parser looks at the first bytes: its guess from them (UTF-16,
  // UCS-4, EBCDIC) must not apply.
#if LIBXML_VERSION >= 21200
  xmlSwitchEncoding(context_, XML_CHAR_ENCODING_UTF8);
#else
  context_->encoding = xmlStrdup(BAD_CAST "UTF-8");
#endif
}

DocumentParser::~DocumentParser() {
  if (context_ == nullptr) return;
  if (context_->myDoc != nullptr) xmlFreeDoc(context_->myDoc);
  context_->myDoc = nullptr;
  xmlFreeParserCtxt(context_);
}

void DocumentParser::useElementCallbacks(xmlSAXHandler& sax, startElementNsSAX2Func start,
                                         endElementNsSAX2Func end) {
  sax.startElementNs = start;
  sax.endElementNs = end;
  sax.characters = nullptr;
  sax.cdataBlock = nullptr;
  sax.ignorableWhitespace = nullptr;
  sax.startElement = nullptr;
  sax.endElement = nullptr;
  sax.reference = nullptr;
  sax.processingInstruction = nullptr;
  sax.comment = nullptr;
  sax.setDocumentLocator = nullptr;
}

// libxml2 reads the callbacks from the parser's handler each time it has data, and the parsers of
// entity content share that handler, so switching them at element boundaries is safe.
void DocumentParser::hearCharacters(void* context, charactersSAXFunc callback) {
  xmlSAXHandler* sax = static_cast<xmlParserCtxtPtr>(context)->sax;
  sax->characters = callback;
  sax->ignorableWhitespace = callback;  // the same, so that libxml2 never tells them apart
  sax->cdataBlock = callback;
}

void DocumentParser::stop(void* context) {
  // Inside an entity the callbacks get a context of their own: stop it and the document's.
  auto* parserContext = static_cast<xmlParserCtxtPtr>(context);
  auto* parser = static_cast<DocumentParser*>(parserContext->_private);
  parser->stopped_ = true;
  xmlStopParser(parserContext);
  if (parser->context_ != parserContext) xmlStopParser(parser->context_);
}

void DocumentParser::noteError(const xmlError& error) {
  if (error.level < XML_ERR_ERROR) return;
  // The first fatal error ends the parse: read nothing more, however much input is left.
  if (error.level == XML_ERR_FATAL) input_.end();
  auto& slot = error.level == XML_ERR_FATAL ? firstFatal_ : firstError_;
  if (slot) return;
  // The first line only: some messages go on with a piece of the document.
  std::string message = error.message != nullptr ? error.message : "unknown error";
  message = message.substr(0, message.find('\n'));
  while (message.ends_with(' ')) message.pop_back();
  const std::string line = std::to_string(error.line);
  const std::string column = std::to_string(error.int2);
  if (message.starts_with("Excessive depth in document")) {
    slot = ConversionFailure{ConversionFailure::Kind::kParse,
                             {},
                             reason::kTooDeep,
                             {line, column, std::to_string(error.int1)}};
  } else {
    slot = ConversionFailure{
        ConversionFailure::Kind::kParse, {}, reason::kParser, {line, column, message}};
  }
}

void DocumentParser::noteExternalEntity(const xmlChar* name) {
  externalEntities_.insert(reinterpret_cast<const char*>(name));
}

void DocumentParser::refuse(const char* why, std::string argument) {
  if (policyFailure_) return;
  // Where the parser is in the document itself (the bottom of the input stack), also while an
  // entity's own content is being parsed.
  const xmlParserInputPtr input = context_->inputTab[0];
  policyFailure_ = ConversionFailure{
      ConversionFailure::Kind::kParse,
      {},
      why,
      {std::to_string(input->line), std::to_string(input->col), std::move(argument)}};
  input_.end();
}

xmlEntityPtr DocumentParser::noteExpansion(void* context, const xmlChar* name) {
  auto* parserContext = static_cast<xmlParserCtxtPtr>(context);
  // The XML Recommendation forbids external entities in attribute values, even when empty.
  if (parserContext->instate == XML_PARSER_ATTRIBUTE_VALUE &&
      externalEntities_.contains(reinterpret_cast<const char*>(name))) {
    refuse(reason::kExternalInAttribute, reinterpret_cast<const char*>(name));
    return nullptr;
  }
  xmlEntityPtr entity = getEntity_(context, name);
  if (entity == nullptr || entity->etype != XML_INTERNAL_GENERAL_ENTITY || policyFailure_) {
    return entity;
  }
  expandedBytes_ += static_cast<unsigned long long>(entity->length);
  const xmlParserInputPtr input = context_->inputTab[0];
  const auto read = static_cast<unsigned long long>(input->consumed) +
                    static_cast<unsigned long long>(input->cur - input->base);
  if (expandedBytes_ <= kFreeExpansionBytes + kExpansionFactor * read) return entity;
  refuse(reason::kExpansion, {});
  // Expansion goes on within what was read already: stop it.
  xmlStopParser(parserContext);
  if (parserContext != context_) xmlStopParser(context_);
  return entity;
}

std::optional<ConversionFailure> DocumentParser::parse() {
  if (context_ == nullptr) {
    return ConversionFailure{ConversionFailure::Kind::kParse, {}, reason::kOutOfMemory, {}};
  }
  xmlParseDocument(context_);
  if (stopped_) return std::nullopt;
  // The parser reads nothing after its first fatal error: an input failure came before it.
  if (input_.failure()) return input_.failure();
  if (policyFailure_) return policyFailure_;
  if (context_->wellFormed && context_->myDoc != nullptr) return std::nullopt;
  if (firstFatal_) return firstFatal_;
  if (firstError_) return firstError_;
  const long line = context_->input != nullptr ? context_->input->line : 0;
  const long column = context_->input != nullptr ? context_->input->col : 0;
  return ConversionFailure{ConversionFailure::Kind::kParse,
                           {},
                           reason::kNotWellFormed,
                           {std::to_string(line), std::to_string(column)}};
}

xmlDocPtr DocumentParser::takeDocument() {
  if (context_ == nullptr) return nullptr;
  xmlDocPtr document = context_->myDoc;
  context_->myDoc = nullptr;
  return document;
}

}  // namespace caplift
