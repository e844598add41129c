#include "convert/cues/formats.h"

#include <algorithm>
#include <cctype>

#include "convert/cues/srt_writer.h"
#include "convert/cues/vtt_writer.h"

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

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

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
    if (endsWithIgnoringCase(path, format.extension)) return &format;
  }
  return nullptr;
}

}  // namespace caplift
