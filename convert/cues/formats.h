#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "convert/cues/cue_writer.h"

namespace caplift {

// A subtitle format: its name on the command line, its file extension, what a file dialog calls
// it, and its writer.
struct SubtitleFormat {
  std::string_view name;
  std::string_view extension;
  std::string_view label;
  // A writer that writes the `kept` styles of the cues as tags.
  std::unique_ptr<CueWriter> (*makeWriter)(StyleSet kept);
};

// Every format, the default (SubRip) first.
std::span<const SubtitleFormat> subtitleFormats();
const SubtitleFormat& defaultFormat();
// The format called `name` ("srt", "vtt"); none when there is no such format.
const SubtitleFormat* formatNamed(std::string_view name);
// The format whose extension ends `path`, ignoring ASCII case (a name that is only the extension
// has none); none when no format's does.
const SubtitleFormat* formatOfPath(std::string_view path);

}  // namespace caplift
