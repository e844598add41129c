#include "convert/cues/srt_writer.h"

#include <charconv>

#include "convert/cues/timestamp.h"

namespace caplift {

void appendCueBlock(std::string& out, std::size_t number, const Cue& cue, StyleSet kept) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
  out += '\n';
  appendTimestamp(out, cue.start, ',');
  out += " --> ";
  appendTimestamp(out, cue.end, ',');
  out += '\n';
  if (cue.runs.empty() || kept == 0) {
    out.append(cue.text);
  } else {
    appendTagged(out, cue.text, cue.runs, kept, TagDialect::kSubRip);
  }
  out += "\n\n";
}

void SrtWriter::cue(CueOutput& out, std::size_t number, const Cue& cue) {
  appendCueBlock(out.text(), number, cue, kept_);
}

}  // namespace caplift
