#include "cli/batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

#include "cli/progress_line.h"
#include "cli/report.h"
#include "convert/io/convert_input.h"
#include "convert/io/input_path.h"
#include "convert/io/output_file.h"

namespace caplift {

namespace {

namespace fs = std::filesystem;

std::string_view extensionOf(const BatchRequest& request) {
  const ConversionOptions& options = request.conversion;
  return (options.format ? *options.format : defaultFormat()).extension;
}

std::string outputPath(const BatchRequest& request, const std::string& input) {
  const std::string& dir = request.outputDir;
  return dir + (dir.ends_with('/') ? "" : "/") + proposedSubtitleName(input, extensionOf(request));
}

// Names that differ only in ASCII case are one file on the case-insensitive file systems of
// macOS and Windows, so they count as a clash everywhere.
std::string foldCase(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

// Reports every pair of inputs that would write the same file, and every output that is an input
// itself; true when there is none.
bool outputsAreDistinct(const BatchRequest& request) {
  std::map<std::string, const std::string*> firstInputFor;
  std::set<FileId> inputs;
  for (const std::string& input : request.inputs) {
    if (auto id = fileIdOf(documentPathFor(input).path)) inputs.insert(*id);
  }
  bool distinct = true;
  for (const std::string& input : request.inputs) {
    const std::string output = outputPath(request, input);
    if (auto id = fileIdOf(output); id && inputs.contains(*id)) {
      reportError(output + ": " + reason::kOutputIsInput + "; nothing converted");
      distinct = false;
    }
    auto [it, inserted] =
        firstInputFor.emplace(foldCase(proposedSubtitleName(input, extensionOf(request))), &input);
    if (inserted) continue;
    reportError(*it->second + " and " + input + " would both be written to " + output +
                "; nothing converted");
    distinct = false;
  }
  return distinct;
}

// Makes the output folder; false, after saying why, when it cannot be made.
bool makeFolder(const std::string& folder) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      ::stat(folder.c_str(), &info) != 0) {
    reportError(folder + ": a symbolic link to a folder that does not exist");
    return false;
  }
  std::error_code error;
  fs::create_directories(fs::path(folder), error);
  if (error) reportError(folder + ": " + error.message());
  return !error;
}

std::size_t workersFor(const BatchRequest& request) {
  std::size_t jobs = request.jobs;
  if (jobs == 0) {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    jobs = online > 0 ? static_cast<std::size_t>(online) : 1;
  }
  return std::min(jobs, request.inputs.size());
}

}  // namespace

int runBatch(const BatchRequest& request) {
  if (!outputsAreDistinct(request)) return 2;
  if (!makeFolder(request.outputDir)) return 1;

  const std::vector<std::string>& inputs = request.inputs;
  const std::size_t total = inputs.size();
  // Filled in by the workers, each input's outcome is reported in the order of the inputs.
  struct Outcome {
    std::optional<ConversionFailure> failure;
    ConversionReport report;
  };
  std::mutex lock;
  std::condition_variable changed;
  std::vector<Outcome> outcomes(total);
  std::vector<bool> finished(total, false);
  std::size_t next = 0;  // the first input no worker has taken
  std::size_t done = 0;
  auto work = [&] {
    for (;;) {
      std::size_t i = 0;
      {
        const std::lock_guard hold(lock);
        if (next == total) return;
        i = next++;
      }
      Outcome outcome;
      {
        // Gone, with its temporary, before the outcome is told.
        OutputFile output(outputPath(request, inputs[i]));
        outcome.failure = convertInput(inputs[i], output, request.conversion, &outcome.report);
      }
      {
        const std::lock_guard hold(lock);
        outcomes[i] = std::move(outcome);
        finished[i] = true;
        ++done;
      }
      changed.notify_one();
    }
  };
  std::vector<std::jthread> workers;
  for (std::size_t w = workersFor(request); w > 0; --w) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {
      // The system gives no more threads: the ones there are do the work.
      if (workers.empty()) throw;
      break;
    }
  }

  std::size_t converted = 0;
  std::size_t failed = 0;
  std::size_t withoutCues = 0;  // converted, but empty
  ProgressLine progress(total, !request.quiet && progressWanted(total));
  std::unique_lock hold(lock);
  std::size_t reported = 0;
  std::size_t shownDone = total + 1;
  while (reported < total) {
    changed.wait(hold, [&] { return finished[reported] || done != shownDone; });
    const std::size_t first = reported;
    std::vector<Outcome> ready;
    for (; reported < total && finished[reported]; ++reported) {
      ready.push_back(std::move(outcomes[reported]));
    }
    shownDone = done;
    hold.unlock();
    for (std::size_t k = 0; k < ready.size(); ++k) {
      const std::string& input = inputs[first + k];
      const Outcome& outcome = ready[k];
      progress.clear();
      if (outcome.failure) {
        reportError(outcome.failure->description());
        ++failed;
        continue;
      }
      ++converted;
      if (outcome.report.cues == 0) ++withoutCues;
      noteDocument(input, request.conversion, outcome.report);
      noteUnmatchedRoles(input, request.conversion, outcome.report);
    }
    // The first input still waited for is being converted.
    if (reported < total) progress.show(shownDone, inputs[reported]);
    hold.lock();
  }
  hold.unlock();
  progress.clear();
  if (!request.quiet) {
    // Files that gave no cue are counted apart, so that an empty output is not taken for one
    // that worked.
    reportLine(withoutCues == 0
                   ? std::to_string(converted) + " converted, " + std::to_string(failed) + " failed"
                   : std::to_string(converted - withoutCues) + " converted, " +
                         std::to_string(withoutCues) + " without cues, " + std::to_string(failed) +
                         " failed");
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace caplift
