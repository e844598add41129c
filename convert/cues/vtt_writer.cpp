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
  const Held held{cue.start, static_cast<std::uint32_t>(pieces_.size() - 1),
                  static_cast<std::uint32_t>(offset),
                  static_cast<std::uint32_t>(piece.size() - offset)};
  std::size_t at = held_.size();
  held_.push_back(held);
  if (at == 0 || !(held.start < held_[at - 1].start)) return;
  arrivedInOrder_ = false;
  if (!sorted_) return;
  // Back past the cues that start later, while the moves stay within a few per cue in all:
  // ties keep their order of arrival.
  const std::uint64_t budget = 8 * std::uint64_t(held_.size()) + 4096;
  for (; at > 0 && held.start < held_[at - 1].start; --at) {
    if (++moves_ > budget) {
      sorted_ = false;
      break;
    }
    held_[at] = held_[at - 1];
  }
  held_[at] = held;
}

void VttWriter::end(CueOutput& out) {
  if (arrivedInOrder_) {
    for (std::string& piece : pieces_) {
      if (!out.write(piece)) return;
      std::string().swap(piece);
    }
    return;
  }
  // Sorted by start; cues that start together keep the mode's order, which is the order of
  // their blocks.
  if (!sorted_) {
    std::sort(held_.begin(), held_.end(), [](const Held& a, const Held& b) {
      if (a.start != b.start) return a.start < b.start;
      return a.piece != b.piece ? a.piece < b.piece : a.offset < b.offset;
    });
  }
  // Blocks that follow each other in their piece go on together, as one stretch.
  for (std::size_t i = 0; i < held_.size();) {
    const Held& first = held_[i];
    std::size_t length = first.length;
    for (++i; i < held_.size(); ++i) {
      const Held& next = held_[i];
      if (next.piece != first.piece || next.offset != first.offset + length) break;
      length += next.length;
    }
    if (!out.write(std::string_view(pieces_[first.piece]).substr(first.offset, length))) return;
  }
}

}  // namespace caplift
