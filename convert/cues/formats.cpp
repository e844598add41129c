#include "convert/cues/formats.h"

#include "convert/cues/srt_writer.h"
#include "convert/cues/vtt_writer.h"
#include "convert/io/input_path.h"

namespace caplift {

namespace {

template <class Writer>
std::unique_ptr<CueWriter> make(StyleSet kept) {
  return std::make_unique<Writer>(kept);
}

constexpr SubtitleFormat kFormats[] = {
    {"srt", ".srt", "SubRip", make<SrtWriter>},
    {"vtt", ".vtt", "WebVTT", make<VttWriter>},
};

}  // namespace

std::span<const SubtitleFormat> subtitleFormats() {
  return kFormats;
}

const SubtitleFormat& defaultFormat() {
  return kFormats[0];
}

const SubtitleFormat* formatNamed(std::string_view name) {
  for (const SubtitleFormat& format : kFormats) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

const SubtitleFormat* formatOfPath(std::string_view path) {
  for (const SubtitleFormat& format : kFormats) {
    if (hasExtension(path, format.extension)) return &format;
  }
  return nullptr;
}

}  // namespace caplift
