#pragma once

#include <string>

namespace caplift::test {

// One title on a clip that starts 1 h into its media.
inline constexpr const char* kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<fcpxml version="1.9"><library><event><project name="P"><sequence><spine>
<clip offset="10s" start="3600s" duration="20s">
<title offset="3605s" duration="2s" name="Caption"><text><text-style>Hello</text-style></text></title>
</clip></spine></sequence></project></event></library></fcpxml>
)";
inline constexpr const char* kDocumentSrt = "1\n00:00:15,000 --> 00:00:17,000\nHello\n\n";

// Well-formed UTF-8 up to an unterminated element.
inline constexpr const char* kNotWellFormed = "<fcpxml>\n<title name=\"A\">\n</fcpxml>\n";
// Latin-1 "é" in a title name.
inline constexpr const char* kNotUtf8 = "<fcpxml><title name=\"caf\xE9\"/></fcpxml>\n";

// 40000 titles, over a MiB of subtitles, and then `tail`: a failure in the tail comes after much
// text has already been written, which must not show.
inline std::string manyTitlesThen(const std::string& tail) {
  std::string document = "<fcpxml>\n";
  for (int i = 0; i < 40000; ++i) {
    document +=
        "<title offset=\"1s\" duration=\"2s\"><text><text-style>Hi</text-style></text></title>\n";
  }
  return document + tail;
}
inline const std::string kLateParseError = manyTitlesThen("<title>\n</fcpxml>\n");
inline const std::string kLateNotUtf8 = manyTitlesThen("<title name=\"caf\xE9\"/></fcpxml>\n");

}  // namespace caplift::test
