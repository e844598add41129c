#include "tests/support/case_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>

namespace caplift::test {

namespace {

std::map<std::string, std::string>& named() {
  static std::map<std::string, std::string> texts;
  return texts;
}

char unescape(std::string_view& text) {
  const char c = text.front();
  text.remove_prefix(1);
  if (c == 'x') {
    const char byte = static_cast<char>(std::stoi(std::string(text.substr(0, 2)), nullptr, 16));
    text.remove_prefix(2);
    return byte;
  }
  return c == 'n' ? '\n' : c == 't' ? '\t' : c == '0' ? '\0' : c;
}

// Where the word at the start of `text` ends: at a blank outside quotes.
std::size_t wordEnd(std::string_view text) {
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && !quoted) return i;
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == '\\') ++i;
  }
  return text.size();
}

}  // namespace

void defineText(const std::string& name, std::string text) {
  named()[name] = std::move(text);
}

std::string value(std::string_view text) {
  std::string result;
  while (!text.empty()) {
    std::string piece;
    if (text.front() == '"') {
      text.remove_prefix(1);
      while (!text.empty() && text.front() != '"') {
        const char c = text.front();
        text.remove_prefix(1);
        piece += c == '\\' ? unescape(text) : c;
      }
      if (!text.empty()) text.remove_prefix(1);
    } else if (text.front() == '@') {
      std::size_t end = 1;
      while (end < text.size() && (std::isalnum(text[end]) || text[end] == '_')) ++end;
      piece = named().at(std::string(text.substr(1, end - 1)));
      text.remove_prefix(end);
    } else {
      const std::size_t end = std::min(text.find_first_of("\"@"), text.size());
      result += text.substr(0, end);
      text.remove_prefix(end);
      continue;
    }
    std::size_t times = 1;
    if (text.size() > 1 && text.front() == '*' && std::isdigit(text[1])) {
      std::size_t digits = 0;
      times = std::stoul(std::string(text.substr(1)), &digits);
      text.remove_prefix(1 + digits);
    }
    while (times-- > 0) result += piece;
  }
  return result;
}

std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> result;
  while (!text.empty()) {
    const std::size_t end = wordEnd(text);
    if (end > 0) result.push_back(value(text.substr(0, end)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return result;
}

std::pair<std::string, std::string_view> firstWord(std::string_view text) {
  const std::size_t end = wordEnd(text);
  return {value(text.substr(0, end)), text.substr(std::min(end + 1, text.size()))};
}

std::vector<Case> loadCases(const std::string& path) {
  std::ifstream file(path);
  std::vector<Case> cases;
  std::string text;
  for (int number = 1; std::getline(file, text); ++number) {
    if (text.empty() || text.starts_with('#')) continue;
    const std::size_t blank = std::min(text.find(' '), text.size());
    CaseLine line{number, text.substr(0, blank), text.substr(std::min(blank + 1, text.size()))};
    if (line.directive == "==") {
      cases.push_back({line.rest, {}});
    } else if (line.directive == "let") {
      auto [name, rest] = firstWord(line.rest);
      defineText(name, value(rest));
    } else if (!cases.empty()) {
      cases.back().lines.push_back(line);
    }
  }
  return cases;
}

std::optional<std::string> joined(const Case& c, std::string_view directive) {
  std::optional<std::string> text;
  for (const CaseLine& line : c.lines) {
    if (line.directive != directive) continue;
    text = text ? std::move(*text) + "\n" : "";
    *text += value(line.rest);
  }
  return text;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace caplift::test
