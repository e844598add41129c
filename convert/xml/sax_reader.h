#pragma once

#include <libxml/parser.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/xml/document_parser.h"

namespace caplift {

// The mechanics that both readers of a document share; which elements and which text count is
// each reader's own.

// The reader that a content callback's parser context belongs to.
template <class Reader>
Reader& readerOf(void* context) {
  return *static_cast<Reader*>(DocumentParser::handlerOf(context));
}

// libxml2 gives five pointers per attribute: local name, prefix, URI, value, end of value.
inline std::string_view attributeValue(const xmlChar** attribute) {
  return std::string_view(reinterpret_cast<const char*>(attribute[3]),
                          static_cast<std::size_t>(attribute[4] - attribute[3]));
}

// Calls `use(name, value)` for each attribute without a namespace.
template <class Use>
void forEachAttribute(int count, const xmlChar** attributes, Use use) {
  for (int i = 0; i < count; ++i) {
    const xmlChar** a = attributes + 5 * i;
    if (a[1] != nullptr) continue;
    use(reinterpret_cast<const char*>(a[0]), attributeValue(a));
  }
}

// The character data of the text-style elements inside a cue element's text, one piece per
// text-style: a character inside two nested ones is in both. Character data is heard only while
// one is open; outside them the white space between elements alone would be most calls.
class TextPieces {
 public:
  // A text-style starts; `hear` is the reader's character callback, which calls append().
  void open(void* context, charactersSAXFunc hear) {
    if (count_ == pieces_.size()) pieces_.emplace_back();
    pieces_[count_].clear();
    open_.push_back(count_++);
    if (open_.size() == 1) DocumentParser::hearCharacters(context, hear);
  }
  void close(void* context) {
    open_.pop_back();
    if (open_.empty()) DocumentParser::hearCharacters(context, nullptr);
  }
  void append(const xmlChar* characters, int length) {
    for (std::uint32_t piece : open_) {
      pieces_[piece].append(reinterpret_cast<const char*>(characters),
                            static_cast<std::size_t>(length));
    }
  }
  bool anyOpen() const { return !open_.empty(); }
  std::uint32_t count() const { return count_; }
  const std::string& operator[](std::uint32_t piece) const { return pieces_[piece]; }
  // Drops the pieces from `count` on, keeping their room for the next ones.
  void truncate(std::uint32_t count) { count_ = count; }

 private:
  std::vector<std::string> pieces_;  // pieces_[0, count_) are in use
  std::uint32_t count_ = 0;
  std::vector<std::uint32_t> open_;
};

}  // namespace caplift
