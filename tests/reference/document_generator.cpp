#include "tests/reference/document_generator.h"

#include <map>

#include "tests/support/case_file.h"

namespace caplift::reference {

namespace {

// Each rule of documents.grammar with its choices.
const std::map<std::string, std::vector<std::string>, std::less<>>& grammar() {
  static const auto rules = [] {
    std::map<std::string, std::vector<std::string>, std::less<>> rules;
    for (const test::Case& rule : test::loadCases(CAPLIFT_DOCUMENT_GRAMMAR)) {
      for (const test::CaseLine& line : rule.lines) {
        const int weight = line.directive == "or" ? 1 : std::stoi(line.directive.substr(2));
        rules[rule.name].insert(rules[rule.name].end(), weight, test::value(line.rest));
      }
    }
    return rules;
  }();
  return rules;
}

struct Generator {
  std::uint64_t state;

  std::uint64_t random() {
    // splitmix64: small, and the same sequence everywhere.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  void expand(std::string& out, std::string_view rule, int depth) {
    const std::vector<std::string>& choices = grammar().find(rule)->second;
    std::string_view choice = choices[depth > 30 ? 0 : random() % choices.size()];
    for (std::size_t open; (open = choice.find('{')) != std::string_view::npos;) {
      const std::size_t close = choice.find('}', open);
      out += choice.substr(0, open);
      expand(out, choice.substr(open + 1, close - open - 1), depth + 1);
      choice.remove_prefix(close + 1);
    }
    out += choice;
  }
};

}  // namespace

std::string generatedDocument(std::uint64_t number) {
  Generator generator{number * 0xD1B54A32D192ED03ULL + 20240611};
  std::string document;
  generator.expand(document, "document", 0);
  // A few are broken on purpose.
  if (generator.random() % 100 < 3) document.resize(generator.random() % (document.size() + 1));
  return document;
}

}  // namespace caplift::reference
