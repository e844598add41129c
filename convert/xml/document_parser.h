#pragma once

#include <libxml/parser.h>

#include <optional>
#include <set>
#include <string>

#include "convert/conversion_failure.h"
#include "convert/io/byte_source.h"
#include "convert/xml/document_input.h"

namespace caplift {

// One parse of an FCPXML document with the parser policy that every reader of a document shares
// (the streaming conversion and the tree-based check in the tests), so that both see exactly the
// same document:
// - the text is UTF-8 whatever its XML declaration says; a leading byte-order mark is dropped;
// - internal entities are expanded into the content; external entities are declared empty and no
//   external DTD is read, so nothing outside the document is ever loaded (no file, no network);
// - a reference to an external entity in an attribute value is refused, as XML requires;
// - libxml2's limits on entity expansion and nesting depth stay on; as they let an entity of plain
//   text be expanded any number of times, all expansions together may add at most ten times the
//   document's size (plus 1 MiB), else the document is refused;
// - the first fatal error ends the parse and the reading: the document is refused, there is no
//   recovery.
class DocumentParser {
 public:
  // `sax` holds the caller's content callbacks (for a tree: xmlSAXVersion(&sax, 2) unchanged);
  // the policy's own callbacks are set on a copy. Content callbacks receive the parser context
  // as their first argument; handlerOf() gives back `handler`.
  DocumentParser(ByteSource& source, const xmlSAXHandler& sax, void* handler);
  ~DocumentParser();
  DocumentParser(const DocumentParser&) = delete;
  DocumentParser& operator=(const DocumentParser&) = delete;

  // Parses the document up to its end or its first failure, which is returned: an input failure
  // (read, UTF-8, NUL), a refusal of the policy, or else the parser's first error.
  std::optional<ConversionFailure> parse();

  xmlParserCtxtPtr context() const { return context_; }
  // Takes the document the parser built (a tree, or for the streaming callbacks only the DTD).
  xmlDocPtr takeDocument();

  // Inline: every callback of every element asks for it.
  static void* handlerOf(void* context) {
    return static_cast<DocumentParser*>(static_cast<xmlParserCtxtPtr>(context)->_private)->handler_;
  }
  // Sets the element callbacks on `sax` and clears the other content callbacks: character data
  // stays unheard until hearCharacters() asks for it. libxml2's DTD callbacks stay for the
  // entities.
  static void useElementCallbacks(xmlSAXHandler& sax, startElementNsSAX2Func start,
                                  endElementNsSAX2Func end);
  // Passes character data to `callback` from now on, or to nobody when it is null. Outside the
  // elements whose text matters, the white space between elements alone would be most calls.
  static void hearCharacters(void* context, charactersSAXFunc callback);
  // Ends the parse early, from a content callback; parse() then reports no failure of its own.
  // `context` is the one the callback received.
  static void stop(void* context);

  // Called by libxml2 for every error and warning.
  void noteError(const xmlError& error);
  // Called for the declaration of an external general entity.
  void noteExternalEntity(const xmlChar* name);
  // Called by libxml2 for every reference to a general entity: looks it up with the caller's
  // callback and counts its expansion; past the limit, or for an external entity in an attribute
  // value, ends the parse with a failure.
  xmlEntityPtr noteExpansion(void* context, const xmlChar* name);

 private:
  // Ends the parse with the failure `why` at the current place; `argument` fills its %3.
  void refuse(const char* why, std::string argument);

  DocumentInput input_;
  void* handler_;
  xmlSAXHandler sax_;
  xmlParserCtxtPtr context_ = nullptr;
  std::optional<ConversionFailure> firstFatal_;
  std::optional<ConversionFailure> firstError_;
  std::optional<ConversionFailure> policyFailure_;  // too much expansion, external in attribute
  std::set<std::string> externalEntities_;
  getEntitySAXFunc getEntity_;  // the caller's, called by the policy's own
  unsigned long long expandedBytes_ = 0;
  bool stopped_ = false;
};

}  // namespace caplift
