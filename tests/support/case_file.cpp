#include "tests/support/case_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace caplift::test {

namespace {

std::map<std::string, std::string>& named() {
  static std::map<std::string, std::string> texts;
  return texts;
}

// Takes the text up to `end` (or all of it) off `text`.
std::string_view take(std::string_view& text, std::size_t end) {
  const std::string_view taken = text.substr(0, end);
  text.remove_prefix(taken.size());
  return taken;
}

// The quoted piece at the start of `text`, without its quotes and with its escapes read.
std::string quoted(std::string_view& text) {
  std::string piece;
  for (text.remove_prefix(1); !text.empty() && text.front() != '"';) {
    char c = take(text, 1)[0];
    if (c == '\\') {
      c = take(text, 1)[0];
      c = c == 'x'   ? static_cast<char>(std::stoi(std::string(take(text, 2)), nullptr, 16))
          : c == 'n' ? '\n'
          : c == 't' ? '\t'
          : c == '0' ? '\0'
                     : c;
    }
    piece += c;
  }
  take(text, 1);
  return piece;
}

// Where the word at the start of `text` ends: at a blank outside quotes.
std::size_t wordEnd(std::string_view text) {
  bool inQuotes = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && !inQuotes) return i;
    if (text[i] == '"') inQuotes = !inQuotes;
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
    if (text.front() != '"' && text.front() != '@') {
      result += take(text, text.find_first_of("\"@"));
      continue;
    }
    std::string piece;
    if (text.front() == '"') {
      piece = quoted(text);
    } else {
      const auto end = std::find_if_not(text.begin() + 1, text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
      });
      piece = named().at(
          std::string(take(text, static_cast<std::size_t>(end - text.begin())).substr(1)));
    }
    std::size_t times = 1, digits = 0;
    if (text.size() > 1 && text.front() == '*' && std::isdigit(text[1])) {
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

void removeTree(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(path, ignored); it != fs::end(it);
       it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path, ignored);
}

}  // namespace caplift::test
