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
  // Sorted by start; cues that start together keep the mode's order. The keys are small where
  // every start fits 64 bits, as all but absurd ones do.
  std::vector<std::uint32_t> order(held_.size());
  const bool small = std::all_of(held_.begin(), held_.end(),
                                 [](const Held& cue) { return cue.start <= UINT64_MAX; });
  if (small) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(held_.size());
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
      keys[i] = {static_cast<std::uint64_t>(held_[i].start), i};
    }
    std::sort(keys.begin(), keys.end());
    for (std::uint32_t i = 0; i < keys.size(); ++i) order[i] = keys[i].second;
  } else {
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
      return held_[a].start < held_[b].start;
    });
  }
  // Blocks that follow each other in their piece go on together, as one stretch.
  for (std::size_t i = 0; i < order.size();) {
    const Held& first = held_[order[i]];
    std::size_t length = first.length;
    for (++i; i < order.size(); ++i) {
      const Held& next = held_[order[i]];
      if (next.piece != first.piece || next.offset != first.offset + length) break;
      length += next.length;
    }
    if (!out.write(std::string_view(pieces_[first.piece]).substr(first.offset, length))) return;
  }
}

}  // namespace caplift
