#pragma once

#include <cstdint>
#include <string>

namespace caplift::reference {

// Makes random FCPXML-like documents from a seed, the same ones on every machine: nested title,
// text and text-style elements (title in title, text in text, text-style in text-style) among
// other elements and namespaced look-alikes; time attributes of every form, junk included; white
// space of every kind as characters and references; CDATA, comments, processing instructions,
// internal entities, DTD defaults. A few documents are broken on purpose.
class DocumentGenerator {
 public:
  explicit DocumentGenerator(std::uint64_t seed) : state_(seed) {}
  std::string next();

 private:
  std::uint64_t random();
  // A number in [0, n).
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(random() % n); }
  bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
  template <std::size_t N>
  const char* pick(const char* const (&choices)[N]) {
    return choices[below(N)];
  }

  std::string prolog();
  void element(std::string& out, int depth);
  void content(std::string& out, int depth);
  std::string attributes();
  std::string timeValue();
  std::string characterData();

  std::uint64_t state_;
  bool hasEntities_ = false;
};

}  // namespace caplift::reference
