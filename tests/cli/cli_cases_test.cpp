// caplift-convert as users run it: every case of cases.txt (its head explains the format) runs in
// a fresh working folder. When the tests run as root, the cases run as the user nobody, so that
// permissions apply as to anyone and no system file is at risk (-o /dev/null).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "tests/hostile/child_process.h"
#include "tests/support/case_file.h"

namespace caplift::test {
namespace {

namespace fs = std::filesystem;

// Long enough for any run; only there so that a hanging converter fails the test instead of
// hanging the suite (the alarm outlives the exec).
constexpr unsigned kGiveUpSeconds = 90;

class CliCase : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    box_ = (fs::temp_directory_path() / "caplift-cli-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(box_.data()), nullptr);
    work_ = box_ + "/work";
    fs::create_directory(work_);
  }
  void TearDown() override {
    removeTree(box_);
    for (const auto& [path, fd] : fifos_) close(fd);
  }
  std::string at(const std::string& path) const {
    return path.starts_with('/') ? path : work_ + "/" + path;
  }
  bool setUp(const CaseLine& line);
  bool check(const CaseLine& line);
  // Hands the working folder to nobody, who runs the case when the tests run as root.
  void giveAway() const;
  void run();

  std::string box_, work_;
  std::map<std::string, int> fifos_;  // held open for reading, so that a writer does not block
  // How caplift-convert runs.
  std::vector<std::string> args_;
  std::optional<std::string> input_;  // standard input's bytes; else `inputPath_`
  std::string inputPath_ = "/dev/null";
  std::string endlessInput_;  // when set, standard input is a pipe fed this over and over
  std::string stdout_;        // a path, "closed" or "broken-pipe"; else a file read afterwards
  std::vector<std::string> environment_;  // NAME=VALUE, added to this process's own
  long fileSizeLimit_ = -1;
  int interrupt_ = 0;  // the signal sent once a temporary file shows
  // What it did.
  int exit_ = -1;  // 128 + the signal when one killed it
  std::string out_, err_;
};

bool CliCase::setUp(const CaseLine& line) {
  const std::string& d = line.directive;
  const std::vector<std::string> w = words(line.rest);
  if (d == "run") {
    args_ = w;
  } else if (d == "file") {
    auto [path, rest] = firstWord(line.rest);
    fs::create_directories(fs::path(at(path)).parent_path());
    std::ofstream(at(path), std::ios::binary) << value(rest);
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
    std::ofstream(at(w.at(0))).close();
    fs::resize_file(at(w.at(0)), std::stoull(w.at(1)));
  } else if (d == "stdin") {
    input_ = value(line.rest);
  } else if (d == "stdin-file") {
    inputPath_ = at(w.at(0));
  } else if (d == "stdin-endless") {
    endlessInput_ = value(line.rest);
  } else if (d == "stdout") {
    stdout_ = w.at(0);
  } else if (d == "env") {
    environment_.push_back(w.at(0));
  } else if (d == "limit") {
    fileSizeLimit_ = std::stol(w.at(0));
  } else if (d == "interrupt") {
    interrupt_ = std::stoi(w.at(0));
  } else {
    return false;
  }
  return true;
}

bool CliCase::check(const CaseLine& line) {
  const std::string& d = line.directive;
  const std::vector<std::string> w = words(line.rest);
  if (d == "exit") {
    EXPECT_EQ(exit_, std::stoi(w.at(0)));
  } else if (d == "out-has") {
    EXPECT_NE(out_.find(value(line.rest)), std::string::npos) << out_.substr(0, 2000);
  } else if (d == "expect") {
    auto [path, rest] = firstWord(line.rest);
    std::optional<std::string> bytes;
    if (auto fifo = fifos_.find(at(path)); fifo != fifos_.end()) {
      char buffer[65536];
      const ssize_t size = read(fifo->second, buffer, sizeof buffer);
      bytes = std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
    } else if (fs::exists(at(path))) {
      bytes = readBytes(at(path));
    }
    EXPECT_EQ(bytes, value(rest)) << path;
  } else if (d == "mode") {
    const auto mode = fs::status(at(w.at(0))).permissions() & fs::perms::mask;
    EXPECT_EQ(static_cast<int>(mode), std::stoi(w.at(1), nullptr, 8)) << w.at(0);
  } else if (d == "missing") {
    EXPECT_FALSE(fs::exists(fs::symlink_status(at(w.at(0))))) << w.at(0);
  } else if (d == "ls") {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(at(w.at(0)))) {
      names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::set<std::string>(w.begin() + 1, w.end())) << w.at(0);
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
  fs::permissions(box_, fs::perms::others_exec, fs::perm_options::add);
}

void CliCase::run() {
  const std::string in = input_ ? box_ + "/stdin" : inputPath_;
  if (input_) std::ofstream(in, std::ios::binary) << *input_;
  const std::string out = stdout_.empty() || stdout_ == "closed" ? box_ + "/stdout" : stdout_;
  int err[2];  // a pipe, not a file: a file-size limit must not cut the messages short
  int broken[2] = {-1, -1};  // a pipe whose reading end is closed before anyone could read it
  int endless[2] = {-1, -1};
  ASSERT_EQ(pipe(err), 0);
  if (stdout_ == "broken-pipe") {
    ASSERT_TRUE(pipe(broken) == 0 && close(broken[0]) == 0);
  }
  if (!endlessInput_.empty()) {
    ASSERT_EQ(pipe(endless), 0);
  }
  const bool nobody = geteuid() == 0;
  std::string program = nobody ? testing::executableForAnyUser(CAPLIFT_CONVERT_PATH)
                               : std::string(CAPLIFT_CONVERT_PATH);
  std::vector<char*> argv{program.data()};
  for (std::string& arg : args_) argv.push_back(arg.data());
  argv.push_back(nullptr);
  // Feeds the endless input until its reader has gone.
  pid_t feeder = -1;
  if (endless[1] >= 0 && (feeder = fork()) == 0) {
    for (int fd : {endless[0], err[0], err[1]}) close(fd);
    alarm(kGiveUpSeconds);
    while (write(endless[1], endlessInput_.data(), endlessInput_.size()) >= 0) {
    }
    _exit(0);
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(endless[0] >= 0 ? endless[0] : open(in.c_str(), O_RDONLY), 0);
    dup2(broken[1] >= 0 ? broken[1] : open(out.c_str(), O_WRONLY | O_CREAT, 0600), 1);
    if (stdout_ == "closed") close(1);
    dup2(err[1], 2);
    if (endless[1] >= 0) close(endless[1]);
    for (std::string& variable : environment_) putenv(variable.data());
    const rlimit limit{static_cast<rlim_t>(fileSizeLimit_), static_cast<rlim_t>(fileSizeLimit_)};
    if (fileSizeLimit_ >= 0) setrlimit(RLIMIT_FSIZE, &limit);
    umask(022);
    if (chdir(work_.c_str()) != 0 || (nobody && !testing::becomeNobody().empty())) _exit(126);
    alarm(kGiveUpSeconds);
    execv(argv[0], argv.data());
    _exit(127);
  }
  for (int fd : {broken[1], endless[0], endless[1], err[1]}) {
    if (fd >= 0) close(fd);
  }
  const auto temporary = [](const fs::directory_entry& entry) {
    return entry.path().filename().string().starts_with(".caplift-");
  };
  for (unsigned wait = 0; interrupt_ != 0 && wait < kGiveUpSeconds * 100; ++wait) {
    usleep(10000);
    const fs::recursive_directory_iterator files(work_);
    if (std::any_of(begin(files), end(files), temporary)) {
      kill(pid, interrupt_);
      break;
    }
  }
  char buffer[65536];
  for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) {
    err_.append(buffer, static_cast<std::size_t>(n));
  }
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (feeder > 0) waitpid(feeder, nullptr, 0);
  exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (stdout_.empty()) out_ = readBytes(out);
}

TEST_P(CliCase, Runs) {
  std::vector<const CaseLine*> checks;
  for (const CaseLine& line : GetParam().lines) {
    SCOPED_TRACE("cases.txt:" + std::to_string(line.number));
    if (!setUp(line)) checks.push_back(&line);
  }
  giveAway();
  run();
  std::string err;
  std::optional<std::string> out;
  bool partOfOut = false;
  for (const CaseLine* line : checks) {
    SCOPED_TRACE("cases.txt:" + std::to_string(line->number));
    if (line->directive == "err") err += value(line->rest) + "\n";
    if (line->directive == "out") out = value(line->rest);
    partOfOut = partOfOut || line->directive == "out-has";
    if (!check(*line)) ADD_FAILURE() << "unknown directive " << line->directive;
  }
  EXPECT_EQ(err_, err);
  if (!partOfOut) {
    EXPECT_EQ(out_, out.value_or(""));
  }
}

std::vector<Case> cases() {
  defineText("version", CAPLIFT_VERSION);
  return loadCases(CAPLIFT_CLI_CASES);
}

INSTANTIATE_TEST_SUITE_P(Table, CliCase, ::testing::ValuesIn(cases()),
                         caseName<::testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift::test
