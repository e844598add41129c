#pragma once

#include <cstdint>
#include <string>

namespace caplift::reference {

// A random FCPXML-like document, the same for a number on every machine: nested title, text and
// text-style elements (title in title, text in text, text-style in text-style) among other
// elements and namespaced look-alikes; time attributes of every form, junk included; white space of
// every kind as characters and references; CDATA, comments, processing instructions, internal
// entities, DTD defaults. A few documents are broken on purpose.
std::string generatedDocument(std::uint64_t number);

}  // namespace caplift::reference
