#pragma once

#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"

namespace caplift {

// What the command line asks for.
struct Options {
  enum class Action {
    kConvert,     // one input to standard output or to `output`
    kBatch,       // inputs into `outputDir`
    kHelp,        // print `text`
    kVersion,     // print `text`
    kUsageError,  // `text` says what is wrong
  };
  Action action = Action::kUsageError;
  std::vector<std::string> inputs;
  std::string output;     // kConvert: the file to write; empty for standard output
  std::string outputDir;  // kBatch
  bool quiet = false;
  std::size_t jobs = 0;  // kBatch: documents converted at once; 0 for one per online processor
  ConversionOptions conversion;  // --timeline, --project, --format, --style
  std::string text;
};

// Reads the arguments, the program name first, each decoded as Latin-1: file names are bytes, not
// always UTF-8, and Latin-1 gives every byte back as it was. The paths and texts in the result are
// those bytes.
Options parseOptions(const QStringList& arguments);

}  // namespace caplift
