// caplift-convert: FCPXML titles to SubRip subtitles, for scripts and batch work.

#include <unistd.h>
#include <QCoreApplication>
#include <csignal>

#include "cli/batch.h"
#include "cli/convert_input.h"
#include "cli/fd_io.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/save_file_output.h"
#include "cli/spooled_stdout.h"

namespace {

using caplift::Options;

int printToStdout(const std::string& text) {
  if (int error = caplift::writeAll(STDOUT_FILENO, text)) {
    caplift::reportError(std::string(caplift::kStandardOutputName) +
                         ": cannot write: " + caplift::errorText(error));
    return 1;
  }
  return 0;
}

int convertOne(const Options& options) {
  const std::string& input = options.inputs.front();
  std::optional<std::string> failure;
  if (options.output.empty()) {
    caplift::SpooledStdout output(STDOUT_FILENO);
    failure = caplift::convertInput(input, output, caplift::kStandardOutputName, options.timeline);
  } else {
    caplift::SaveFileOutput output(options.output);
    failure = caplift::convertInput(input, output, options.output, options.timeline);
  }
  if (!failure) return 0;
  caplift::reportError(*failure);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A closed pipe or a file-size limit must surface as a failed write that is reported and cleaned
  // up after, not as a signal that ends the process midway.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);

  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(caplift::kProgramName);
  QCoreApplication::setApplicationVersion(CAPLIFT_VERSION);

  Options options = caplift::parseOptions(QCoreApplication::arguments());
  switch (options.action) {
    case Options::Action::kHelp:
    case Options::Action::kVersion:
      return printToStdout(options.text);
    case Options::Action::kUsageError:
      caplift::reportError(options.text);
      return 2;
    case Options::Action::kBatch:
      return caplift::runBatch(
          {options.inputs, options.outputDir, options.quiet, options.timeline});
    case Options::Action::kConvert:
      break;
  }
  return convertOne(options);
}
