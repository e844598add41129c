// Reads each WebVTT file named on the command line with a strict parser; prints one line per file:
// its cue count, or the first error. Every error counts, however minor.
const fs = require("fs");
const { WebVTTParser } = require("webvtt-parser");
for (const file of process.argv.slice(2)) {
  const tree = new WebVTTParser().parse(fs.readFileSync(file, "utf8"), "subtitles");
  const error = tree.errors[0];
  console.log(error ? `error ${file}: line ${error.line}: ${error.message}` : tree.cues.length);
}
