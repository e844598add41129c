#include "app/command_line.h"

#include <cstdio>
#include <string_view>

namespace caplift {

namespace {

constexpr const char* kUsage =
    "Usage: caplift [FILE]\n"
    "Turns the titles of a Final Cut Pro XML export into SubRip or WebVTT subtitles: pick an\n"
    "export, read the subtitles in the preview, and save them.\n"
    "\n"
    "Arguments:\n"
    "  FILE           an .fcpxml or .xml export, or an .fcpxmld bundle, to preview at once\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, are accepted too. For scripts and batches,\n"
    "see caplift-convert --help.\n";

}  // namespace

std::optional<int> answerWithoutWindows(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    const bool help = argument == "-h" || argument == "--help";
    if (!help && argument != "-v" && argument != "--version") continue;
    const int written = std::fputs(help ? kUsage : "caplift " CAPLIFT_VERSION "\n", stdout);
    return written >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  return std::nullopt;
}

}  // namespace caplift
