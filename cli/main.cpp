// caplift-convert: FCPXML titles to SubRip subtitles, for scripts and batch work.

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <csignal>

#include "cli/batch.h"
#include "cli/batch_inputs.h"
#include "cli/interrupts.h"
#include "cli/options.h"
#include "cli/report.h"
#include "convert/io/convert_input.h"
#include "convert/io/fd_io.h"
#include "convert/io/spooled_stdout.h"

namespace {

using caplift::ConversionFailure;
using caplift::Options;

// Keeps standard streams that the caller closed taken by /dev/null, so that no file opened later
// gets their numbers; returns whether standard output was closed.
bool holdClosedStandardStreams() {
  const bool stdoutClosed = ::fcntl(STDOUT_FILENO, F_GETFD) < 0;
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    // The lowest free number is this one, as those below it are taken.
    if (::fcntl(fd, F_GETFD) < 0) ::open("/dev/null", O_RDWR);
  }
  return stdoutClosed;
}

int report(const std::optional<ConversionFailure>& failure) {
  if (!failure) return 0;
  caplift::reportError(failure->description());
  return failure->kind == ConversionFailure::Kind::kOutputIsInput ? 2 : 1;
}

int printToStdout(const std::string& text, bool stdoutClosed) {
  constexpr auto kWrite = ConversionFailure::Kind::kWrite;
  const std::string name = caplift::kStandardOutputName;
  if (stdoutClosed) return report(ConversionFailure{kWrite, name, caplift::reason::kClosed, {}});
  if (int error = caplift::writeAll(STDOUT_FILENO, text)) {
    return report(caplift::systemFailure(kWrite, name, error));
  }
  return 0;
}

int convertOne(const Options& options, bool stdoutClosed) {
  const std::string& input = options.inputs.front();
  caplift::ConversionReport done;
  caplift::ConversionReport* wanted = &done;
  std::optional<ConversionFailure> failure;
  if (options.output.empty()) {
    caplift::SpooledStdout output(stdoutClosed ? -1 : STDOUT_FILENO);
    failure = caplift::convertInput(input, output, options.conversion, wanted);
  } else {
    caplift::OutputFile output(options.output);
    failure = caplift::convertInput(input, output, options.conversion, wanted);
  }
  if (!failure) {
    caplift::noteDocument(input, options.conversion, done);
    caplift::noteUnmatchedRoles(input, options.conversion, done);
  }
  return report(failure);
}

}  // namespace

int main(int argc, char** argv) {
  caplift::removeTemporariesOnSignals();
  const bool stdoutClosed = holdClosedStandardStreams();
  // A closed pipe or a file-size limit must surface as a failed write that is reported and cleaned
  // up after, not as a signal that ends the process midway.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);

  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(caplift::kProgramName);
  QCoreApplication::setApplicationVersion(CAPLIFT_VERSION);

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLatin1(argv[i]));
  Options options = caplift::parseOptions(arguments);
  switch (options.action) {
    case Options::Action::kHelp:
    case Options::Action::kVersion:
      return printToStdout(options.text, stdoutClosed);
    case Options::Action::kUsageError:
      caplift::reportError(options.text);
      return 2;
    case Options::Action::kBatch:
      return caplift::runBatch({caplift::expandFolders(options.inputs), options.outputDir,
                                options.quiet, options.conversion, options.jobs});
    case Options::Action::kConvert:
      break;
  }
  return convertOne(options, stdoutClosed);
}
