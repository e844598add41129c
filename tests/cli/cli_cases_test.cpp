// caplift-convert as users run it: every case of cases.txt (its head explains the format) runs in
// a fresh working folder. When the tests run as root, the cases run as the user nobody, so that
// permissions apply as to anyone and no system file is at risk (-o /dev/null).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

#include "tests/cli/cli_runner.h"

namespace caplift::test {
namespace {

namespace fs = std::filesystem;

struct Line {
  int number;
  std::string directive;
  std::string rest;
};

struct Case {
  std::string name;
  std::vector<Line> lines;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// The texts that `let` names, with @version given.
std::map<std::string, std::string>& named() {
  static std::map<std::string, std::string> texts{{"version", CAPLIFT_VERSION}};
  return texts;
}

char unescape(std::string_view& text) {
  const char c = text.front();
  text.remove_prefix(1);
  switch (c) {
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case '0':
      return '\0';
    case 'x': {
      const char byte = static_cast<char>(std::stoi(std::string(text.substr(0, 2)), nullptr, 16));
      text.remove_prefix(2);
      return byte;
    }
    default:
      return c;
  }
}

// A value: bare text as it stands, "quoted" text with C escapes, @name; the last two may be
// followed by *N to repeat them.
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

// The values of the blank-separated words of `text`.
std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> result;
  while (!text.empty()) {
    const std::size_t end = wordEnd(text);
    if (end > 0) result.push_back(value(text.substr(0, end)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return result;
}

// The value of the first word, and the rest after it.
std::pair<std::string, std::string_view> firstWord(std::string_view text) {
  const std::size_t end = wordEnd(text);
  return {value(text.substr(0, end)), text.substr(std::min(end + 1, text.size()))};
}

std::vector<Case> loadCases() {
  std::ifstream file(CAPLIFT_CLI_CASES);
  std::vector<Case> cases;
  std::string text;
  for (int number = 1; std::getline(file, text); ++number) {
    if (text.empty() || text.starts_with('#')) continue;
    const std::size_t blank = std::min(text.find(' '), text.size());
    Line line{number, text.substr(0, blank), text.substr(std::min(blank + 1, text.size()))};
    if (line.directive == "==") {
      cases.push_back({line.rest, {}});
    } else if (line.directive == "let") {
      auto [name, rest] = firstWord(line.rest);
      named()[name] = value(rest);
    } else if (!cases.empty()) {
      cases.back().lines.push_back(line);
    }
  }
  return cases;
}

class CliCase : public testing::TestWithParam<Case> {
 protected:
  CliCase() {
    run_.workDir = work_;
    run_.asNobody = true;
  }
  std::string at(const std::string& path) const {
    return path.starts_with('/') ? path : work_ + "/" + path;
  }
  bool setUp(const Line& line);
  bool check(const Line& line, const CliResult& result);
  // Hands the working folder to nobody, who runs the case when the tests run as root.
  void giveAway() const;

  TempDir box_;
  std::string work_ = box_ / "work";
  CliRun run_;
  std::map<std::string, int> fifos_;  // held open for reading, so that a writer does not block
};

bool CliCase::setUp(const Line& line) {
  const std::string& d = line.directive;
  const std::vector<std::string> w = words(line.rest);
  if (d == "run") {
    run_.args = w;
  } else if (d == "file") {
    auto [path, rest] = firstWord(line.rest);
    fs::create_directories(fs::path(at(path)).parent_path());
    writeFile(at(path), value(rest));
  } else if (d == "dir") {
    fs::create_directories(at(w.at(0)));
  } else if (d == "link") {
    fs::create_symlink(w.at(1), at(w.at(0)));
  } else if (d == "hardlink") {
    fs::create_hard_link(at(w.at(1)), at(w.at(0)));
  } else if (d == "fifo") {
    EXPECT_EQ(mkfifo(at(w.at(0)).c_str(), 0644), 0);
    fifos_[at(w.at(0))] = open(at(w.at(0)).c_str(), O_RDWR | O_NONBLOCK);
  } else if (d == "chmod") {
    fs::permissions(at(w.at(1)), static_cast<fs::perms>(std::stoi(w.at(0), nullptr, 8)));
  } else if (d == "size") {
    writeFile(at(w.at(0)), "");
    fs::resize_file(at(w.at(0)), std::stoull(w.at(1)));
  } else if (d == "stdin") {
    run_.input = value(line.rest);
  } else if (d == "stdin-file") {
    run_.inputPath = at(w.at(0));
  } else if (d == "stdin-endless") {
    run_.endlessInput = value(line.rest);
  } else if (d == "stdout") {
    run_.stdoutClosed = w.at(0) == "closed";
    run_.stdoutBrokenPipe = w.at(0) == "broken-pipe";
    if (!run_.stdoutClosed && !run_.stdoutBrokenPipe) run_.stdoutPath = w.at(0);
  } else if (d == "env") {
    run_.environment.push_back(w.at(0));
  } else if (d == "limit") {
    run_.fileSizeLimit = std::stol(w.at(0));
  } else {
    return false;
  }
  return true;
}

bool CliCase::check(const Line& line, const CliResult& result) {
  const std::string& d = line.directive;
  const std::vector<std::string> w = words(line.rest);
  if (d == "exit") {
    EXPECT_EQ(result.exitCode, std::stoi(w.at(0)));
  } else if (d == "out-has") {
    EXPECT_NE(result.out.find(value(line.rest)), std::string::npos) << result.out.substr(0, 2000);
  } else if (d == "expect") {
    auto [path, rest] = firstWord(line.rest);
    std::optional<std::string> bytes;
    if (auto fifo = fifos_.find(at(path)); fifo != fifos_.end()) {
      char buffer[65536];
      const ssize_t size = read(fifo->second, buffer, sizeof buffer);
      bytes = std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    } else {
      bytes = readFile(at(path));
    }
    EXPECT_EQ(bytes, value(rest)) << path;
  } else if (d == "mode") {
    const auto mode = fs::status(at(w.at(0))).permissions() & fs::perms::mask;
    EXPECT_EQ(static_cast<int>(mode), std::stoi(w.at(1), nullptr, 8)) << w.at(0);
  } else if (d == "missing") {
    EXPECT_FALSE(fs::exists(fs::symlink_status(at(w.at(0))))) << w.at(0);
  } else if (d == "ls") {
    std::vector<std::string> names(w.begin() + 1, w.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(listDir(at(w.at(0))), names) << w.at(0);
  } else {
    return d == "err" || d == "out";
  }
  return true;
}

void CliCase::giveAway() const {
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() != 0 || nobody == nullptr) return;
  EXPECT_EQ(lchown(work_.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  for (const auto& entry : fs::recursive_directory_iterator(work_)) {
    EXPECT_EQ(lchown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0) << entry.path();
  }
  fs::permissions(box_.path(), fs::perms::others_exec, fs::perm_options::add);
}

TEST_P(CliCase, Runs) {
  fs::create_directory(work_);
  std::vector<const Line*> checks;
  for (const Line& line : GetParam().lines) {
    SCOPED_TRACE("cases.txt:" + std::to_string(line.number));
    if (!setUp(line)) checks.push_back(&line);
  }
  giveAway();
  const CliResult result = runCli(run_);
  std::string err;
  std::optional<std::string> out;
  bool partOfOut = false;
  for (const Line* line : checks) {
    SCOPED_TRACE("cases.txt:" + std::to_string(line->number));
    if (line->directive == "err") err += value(line->rest) + "\n";
    if (line->directive == "out") out = value(line->rest);
    partOfOut = partOfOut || line->directive == "out-has";
    if (!check(*line, result)) ADD_FAILURE() << "unknown directive " << line->directive;
  }
  EXPECT_EQ(result.err, err);
  if (!partOfOut) {
    EXPECT_EQ(result.out, out.value_or(""));
  }
  for (const auto& [path, fd] : fifos_) close(fd);
}

std::string testName(const testing::TestParamInfo<Case>& info) {
  std::string name = info.param.name;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Table, CliCase, testing::ValuesIn(loadCases()), testName);

}  // namespace
}  // namespace caplift::test
