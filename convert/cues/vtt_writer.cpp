#include "convert/cues/vtt_writer.h"

#include <algorithm>

#include "convert/cues/style_tags.h"
#include "convert/cues/timestamp.h"

namespace caplift {

namespace {

constexpr std::size_t kPieceSize = 1 << 20;

}  // namespace

void VttWriter::begin(CueOutput& out) {
  out.text() += "WEBVTT\n\n";
}

void VttWriter::cue(CueOutput&, std::size_t, const Cue& cue) {
  if (cue.end <= cue.start) return;
  if (!held_.empty() && cue.start < held_.back().start) sorted_ = false;
  if (pieces_.empty() || pieces_.back().size() >= kPieceSize) {
    pieces_.emplace_back().reserve(kPieceSize + kPieceSize / 8);
  }
  std::string& piece = pieces_.back();
  const std::size_t offset = piece.size();
  appendTimestamp(piece, cue.start, '.');
  piece += " --> ";
  appendTimestamp(piece, cue.end, '.');
  piece += '\n';
  appendTagged(piece, cue.text, cue.runs, kept_, TagDialect::kWebVtt);
  piece += "\n\n";
  held_.push_back({cue.start, static_cast<std::uint32_t>(pieces_.size() - 1),
                   static_cast<std::uint32_t>(offset),
                   static_cast<std::uint32_t>(piece.size() - offset)});
}

void VttWriter::end(CueOutput& out) {
  if (sorted_) {
    for (std::string& piece : pieces_) {
      if (!out.write(piece)) return;
      std::string().swap(piece);
    }
    return;
  }
  // A stable sort: cues that start together keep the mode's order.
  std::stable_sort(held_.begin(), held_.end(),
                   [](const Held& a, const Held& b) { return a.start < b.start; });
  for (const Held& cue : held_) {
    out.text().append(pieces_[cue.piece], cue.offset, cue.length);
    if (!out.flushIfLarge()) return;
  }
}

}  // namespace caplift
