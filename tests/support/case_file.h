#pragma once

#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace caplift::test {

// Tables of cases kept as text. A case starts with "== name"; each line after it is one directive,
// "WORD rest". Lines that are empty or start with "#" are skipped, and "let NAME VALUE" names a
// text, used as @NAME from then on.
//
// A VALUE is text as it stands, "quoted" text with C escapes (\n \t \" \\ \0 \xHH) and @NAME,
// joined as written; quoted text and @NAME may be followed by *N to repeat them N times. Words
// end at blanks outside quotes.
struct CaseLine {
  int number;  // in the file, for messages
  std::string directive;
  std::string rest;
};

struct Case {
  std::string name;
  std::vector<CaseLine> lines;
};

inline void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

std::vector<Case> loadCases(const std::string& path);
// The values of the case's lines with this directive, joined with line feeds; none when it has
// none.
std::optional<std::string> joined(const Case& c, std::string_view directive);
// Names a text for @NAME, before or while loading.
void defineText(const std::string& name, std::string text);

std::string value(std::string_view text);
std::vector<std::string> words(std::string_view text);
// The value of the first word, and the rest after it.
std::pair<std::string, std::string_view> firstWord(std::string_view text);

// The whole content of a file; empty when it cannot be read.
std::string readBytes(const std::string& path);
// Removes `path` and all it holds, opening again the folders that a test closed.
void removeTree(const std::string& path);

// The case's name as a test name.
template <class Info>
std::string caseName(const Info& info) {
  std::string name = info.param.name;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

}  // namespace caplift::test
