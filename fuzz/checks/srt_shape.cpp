#include "fuzz/checks/srt_shape.h"

namespace caplift::fuzz {

namespace {

bool isDigits(std::string_view text, std::size_t minimum) {
  if (text.size() < minimum) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Takes the text up to the next line feed off `text`; false when there is no line feed.
bool takeLine(std::string_view& text, std::string_view& line) {
  const std::size_t feed = text.find('\n');
  if (feed == std::string_view::npos) return false;
  line = text.substr(0, feed);
  text.remove_prefix(feed + 1);
  return true;
}

// Only ASCII white space: enough to catch a line that would end a cue early for a player.
bool isBlank(std::string_view line) {
  for (char c : line) {
    if (c != ' ' && c != '\t' && c != '\v' && c != '\f' && c != '\r') return false;
  }
  return true;
}

}  // namespace

bool isTimestamp(std::string_view text) {
  const std::size_t comma = text.size() < 4 ? 0 : text.size() - 4;
  if (comma < 8 || text[comma] != ',' || text[comma - 3] != ':' || text[comma - 6] != ':') {
    return false;
  }
  const std::string_view minutes = text.substr(comma - 5, 2);
  const std::string_view seconds = text.substr(comma - 2, 2);
  return isDigits(text.substr(0, comma - 6), 2) && isDigits(minutes, 2) && isDigits(seconds, 2) &&
         isDigits(text.substr(comma + 1), 3) && minutes[0] < '6' && seconds[0] < '6';
}

std::string checkSrtShape(std::string_view srt, std::size_t cues) {
  std::string_view rest = srt;
  for (std::size_t n = 1; n <= cues; ++n) {
    const std::string where = "cue " + std::to_string(n) + ": ";
    std::string_view line;
    if (!takeLine(rest, line) || line != std::to_string(n)) return where + "no number line";
    if (!takeLine(rest, line)) return where + "no timing line";
    const std::size_t arrow = line.find(" --> ");
    if (arrow == std::string_view::npos || !isTimestamp(line.substr(0, arrow)) ||
        !isTimestamp(line.substr(arrow + 5))) {
      return where + "bad timing line \"" + std::string(line) + "\"";
    }
    if (!takeLine(rest, line)) return where + "no text line";
    if (line.empty()) {
      // An empty cue text: its own empty line, then the one that ends the block.
      if (!takeLine(rest, line) || !line.empty())
        return where + "empty text not followed by an empty line";
      continue;
    }
    do {
      if (isBlank(line)) return where + "blank line inside the text";
      if (!takeLine(rest, line)) return where + "text not ended by an empty line";
    } while (!line.empty());
  }
  if (!rest.empty()) return "text after the last cue";
  return {};
}

}  // namespace caplift::fuzz
