#include "fuzz/checks/srt_shape.h"

#include <regex>

namespace caplift::fuzz {

namespace {

const char* const kStamp = R"(\d{2,}:[0-5]\d:[0-5]\d,\d{3})";

bool matches(std::string_view text, const std::regex& pattern) {
  return std::regex_match(text.begin(), text.end(), pattern);
}

}  // namespace

bool isTimestamp(std::string_view text) {
  static const std::regex stamp(kStamp);
  return matches(text, stamp);
}

std::string checkSrtShape(std::string_view srt, std::size_t cues,
                          std::vector<std::string_view>* timings) {
  static const std::regex timing(std::string(kStamp) + " --> " + kStamp);
  // Takes the next line, without its line feed; false when there is none.
  const auto next = [&srt](std::string_view& line) {
    const std::size_t feed = srt.find('\n');
    if (feed == std::string_view::npos) return false;
    line = srt.substr(0, feed);
    srt.remove_prefix(feed + 1);
    return true;
  };
  for (std::size_t n = 1; n <= cues; ++n) {
    const std::string where = "cue " + std::to_string(n) + ": ";
    std::string_view line;
    if (!next(line) || line != std::to_string(n)) return where + "no number line";
    if (!next(line) || !matches(line, timing)) return where + "no timing line";
    if (timings != nullptr) timings->push_back(line);
    if (!next(line)) return where + "no text line";
    // An empty text has a line of its own.
    if (line.empty() && (!next(line) || !line.empty())) return where + "no empty line after it";
    while (!line.empty()) {
      // Blank to a player: it would end the cue early.
      if (line.find_first_not_of(" \t\v\f\r") == std::string_view::npos) {
        return where + "blank line inside the text";
      }
      if (!next(line)) return where + "text not ended by an empty line";
    }
  }
  return srt.empty() ? "" : "text after the last cue";
}

}  // namespace caplift::fuzz
