#include "cli/options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include "convert/io/convert_input.h"

namespace caplift {

namespace {

// The bytes of an argument, or of a text made from the arguments (see parseOptions()).
std::string bytesOf(const QString& text) {
  return text.toLatin1().toStdString();
}

Options withText(Options::Action action, const QString& text) {
  Options options;
  options.action = action;
  options.text = bytesOf(text);
  return options;
}

Options usageError(QString why) {
  // Qt's own messages end with a full stop; ours are joined with the hint below.
  if (why.endsWith('.')) why.chop(1);
  return withText(Options::Action::kUsageError, why + " (see --help)");
}

}  // namespace

Options parseOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Converts the titles of FCPXML exports (.fcpxml files or .fcpxmld bundles) into SubRip "
      "subtitles (.srt).\nBy default each title gets one cue, in document order, timed from its "
      "own and its parent clip's times. With --timeline each title is placed where the project's "
      "timeline shows it, through compound clips, storylines, auditions and retiming, once for "
      "every time it is shown.\nWhich to use: the default mode times each title as it sits in its "
      "own clip, as the event browser shows it, which suits titles kept in the browser. For a "
      "finished edit use --timeline: the subtitles then match the project as it plays.");
  QCommandLineOption help = parser.addHelpOption();
  QCommandLineOption version = parser.addVersionOption();
  QCommandLineOption output({"o", "output"},
                            "Write the subtitles to <path> instead of standard output. The file "
                            "is replaced only when the conversion succeeds.",
                            "path");
  QCommandLineOption outputDir({"d", "output-dir"},
                               "Convert every FILE into <dir>/<name>.srt, going on after a "
                               "failure. The folder is created when missing.",
                               "dir");
  QCommandLineOption quiet({"q", "quiet"}, "With --output-dir: print no summary or progress.");
  QCommandLineOption timeline("timeline",
                              "Place the titles where the first project's timeline shows them.");
  QCommandLineOption project("project",
                             "Place the titles of the project <name>'s timeline (implies "
                             "--timeline).",
                             "name");
  QCommandLineOption format("format",
                            "Write subtitles as <format>: srt (SubRip, the default) or vtt "
                            "(WebVTT). An --output name ending in .vtt means vtt.",
                            "format");
  QCommandLineOption jobs({"j", "jobs"},
                          "With --output-dir: convert <n> files at once (default: one per "
                          "processor).",
                          "n");
  QCommandLineOption style("style",
                           "Keep the styles in <list> as tags: a comma list of i (italic), b "
                           "(bold), u (underline), color, or all.",
                           "list");
  parser.addOptions({output, outputDir, quiet, timeline, project, format, style, jobs});
  QCommandLineOption source("source",
                            "Which elements give cues: titles (the default), captions, or all "
                            "(both, numbered together).",
                            "kind");
  QCommandLineOption role("role",
                          "Keep only the cues of role <name>: a role, a role's name without its "
                          "sub-role, or a caption role's name and language (SRT.de-DE), ASCII "
                          "case ignored. May be given several times.",
                          "name");
  QCommandLineOption listRoles("list-roles",
                               "Instead of subtitles, write each role with its number of cues, "
                               "separated by a tab.");
  parser.addOptions({source, role, listRoles});
  parser.addPositionalArgument(
      "FILE", "An FCPXML document, a .fcpxmld bundle, or - for standard input.", "FILE...");

  if (!parser.parse(arguments)) return usageError(parser.errorText());
  // Qt also offers --help-all, for options of its own that a QtCore program does not have.
  if (parser.isSet(help) || parser.isSet("help-all")) {
    // Qt puts the path that started the program into the usage line; its name reads better.
    QString text = parser.helpText();
    QString started = "Usage: " + arguments.value(0);
    if (text.startsWith(started)) {
      text.replace(0, started.size(), "Usage: " + QFileInfo(arguments.value(0)).fileName());
    }
    return withText(Options::Action::kHelp, text);
  }
  if (parser.isSet(version)) {
    return withText(Options::Action::kVersion, QCoreApplication::applicationName() + " " +
                                                   QCoreApplication::applicationVersion() + "\n");
  }

  Options options;
  for (const QString& input : parser.positionalArguments()) {
    options.inputs.push_back(bytesOf(input));
  }
  options.output = bytesOf(parser.value(output));
  options.outputDir = bytesOf(parser.value(outputDir));
  options.quiet = parser.isSet(quiet);
  ConversionOptions& conversion = options.conversion;
  if (parser.isSet(timeline) || parser.isSet(project)) conversion.timeline.emplace();
  if (parser.isSet(project)) conversion.timeline->project = bytesOf(parser.value(project));
  if (parser.isSet(format)) {
    conversion.format = formatNamed(bytesOf(parser.value(format)));
    if (!conversion.format) {
      return usageError("unknown --format '" + parser.value(format) + "': use srt or vtt");
    }
  } else {
    conversion.format = formatOfPath(options.output);
  }

  if (parser.isSet(source)) {
    const QString kind = parser.value(source);
    if (kind == "titles") {
      conversion.source = CueSource::kTitles;
    } else if (kind == "captions") {
      conversion.source = CueSource::kCaptions;
    } else if (kind == "all") {
      conversion.source = CueSource::kAll;
    } else {
      return usageError("unknown --source '" + kind + "': use titles, captions or all");
    }
  }
  for (const QString& name : parser.values(role)) conversion.roles.push_back(bytesOf(name));
  conversion.listRoles = parser.isSet(listRoles);
  if (parser.isSet(style)) {
    const auto styles = parseStyleList(bytesOf(parser.value(style)));
    if (!styles) {
      return usageError("unknown --style '" + parser.value(style) + "': use i, b, u, color or all");
    }
    conversion.styles = *styles;
  }
  if (parser.isSet(jobs)) {
    bool number = false;
    const uint count = parser.value(jobs).toUInt(&number);
    if (!number || count == 0 || !parser.value(jobs).front().isDigit()) {
      return usageError("--jobs '" + parser.value(jobs) + "' is not a number from 1 up");
    }
    options.jobs = count;
  }

  if (options.inputs.empty()) return usageError("missing FILE");
  for (const std::string& input : options.inputs) {
    if (input.empty()) return usageError("empty FILE path");
  }
  if (parser.isSet(output) && parser.isSet(outputDir)) {
    return usageError("--output and --output-dir cannot be used together");
  }
  if (parser.isSet(output) && options.output.empty()) return usageError("empty --output path");
  if (parser.isSet(outputDir)) {
    if (options.outputDir.empty()) return usageError("empty --output-dir path");
    for (const std::string& input : options.inputs) {
      if (input == kStandardStreamArgument) {
        return usageError("standard input (-) cannot be converted with --output-dir");
      }
    }
    options.action = Options::Action::kBatch;
    return options;
  }
  if (options.inputs.size() > 1) return usageError("several FILEs need --output-dir");
  // "-o -" is standard output, as "-" is standard input.
  if (options.output == kStandardStreamArgument) options.output.clear();
  options.action = Options::Action::kConvert;
  return options;
}

}  // namespace caplift
