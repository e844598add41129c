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
#include "tests/support/case_file.h"

namespace caplift::test {
namespace {

namespace fs = std::filesystem;

class CliCase : public testing::TestWithParam<Case> {
 protected:
  CliCase() {
    run_.workDir = work_;
    run_.asNobody = true;
  }
  std::string at(const std::string& path) const {
    return path.starts_with('/') ? path : work_ + "/" + path;
  }
  bool setUp(const CaseLine& line);
  bool check(const CaseLine& line, const CliResult& result);
  // Hands the working folder to nobody, who runs the case when the tests run as root.
  void giveAway() const;

  TempDir box_;
  std::string work_ = box_ / "work";
  CliRun run_;
  std::map<std::string, int> fifos_;  // held open for reading, so that a writer does not block
};

bool CliCase::setUp(const CaseLine& line) {
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

bool CliCase::check(const CaseLine& line, const CliResult& result) {
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
  std::vector<const CaseLine*> checks;
  for (const CaseLine& line : GetParam().lines) {
    SCOPED_TRACE("cases.txt:" + std::to_string(line.number));
    if (!setUp(line)) checks.push_back(&line);
  }
  giveAway();
  const CliResult result = runCli(run_);
  std::string err;
  std::optional<std::string> out;
  bool partOfOut = false;
  for (const CaseLine* line : checks) {
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

std::vector<Case> cases() {
  defineText("version", CAPLIFT_VERSION);
  return loadCases(CAPLIFT_CLI_CASES);
}

INSTANTIATE_TEST_SUITE_P(Table, CliCase, testing::ValuesIn(cases()),
                         caseName<testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift::test
