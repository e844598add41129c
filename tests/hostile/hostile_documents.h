#pragma once

#include <cstddef>
#include <string>

namespace caplift::testing {

// Documents built to hurt a parser, made on the spot rather than kept as files.

// Ten entities, each ten references to the one before: a thousand million "lol"s.
std::string billionLaughs();
// One entity of `entityBytes` bytes referenced `references` times inside a cue's text.
std::string quadraticBlowup(std::size_t entityBytes, std::size_t references);
// `depth` elements, each inside the one before.
std::string deepNesting(std::size_t depth);
// A title whose attribute `name` holds `bytes` bytes.
std::string hugeAttribute(const char* name, std::size_t bytes);
// A title whose one text-style holds `bytes` bytes of text.
std::string hugeText(std::size_t bytes);
// A title whose text-style holds `bytes` bytes of character references (&#x41;).
std::string hugeCharacterReferences(std::size_t bytes);

// Compounds m1 to m`depth`, each using the one below `uses` times, the project using the top one;
// m0 holds a title. uses^depth placements of it, were they all made.
std::string compoundBomb(int uses, int depth);

// A small export as an editor writes it, with a little of everything a parser meets: declaration,
// DOCTYPE with an entity, comments, CDATA, references, multi-byte characters, nested titles.
std::string smallExport();

}  // namespace caplift::testing
