#include "fuzz/checks/checks.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <regex>

#include "convert/conversion.h"
#include "convert/cues/timestamp.h"
#include "convert/io/memory_io.h"
#include "convert/titles/time_value.h"
#include "tests/convert/test_io.h"
#include "tests/reference/reference_extract.h"

namespace caplift::fuzz {

namespace {

const std::string kStamp = R"(\d{2,}:[0-5]\d:[0-5]\d,\d{3})";

// Checks that `srt` is `cues` SubRip blocks numbered from 1: the number, "start --> end" with two
// timestamps, lines of text none of them blank, and one empty line. The timing lines go to
// `timings`.
std::string checkShape(std::string_view srt, std::size_t cues,
                       std::vector<std::string_view>& timings) {
  static const std::regex timing(kStamp + " --> " + kStamp);
  // Takes the next line, without its line feed; false when there is none.
  const auto next = [&srt](std::string_view& line) {
    const std::size_t feed = srt.find('\n');
    line = srt.substr(0, feed);
    srt.remove_prefix(feed == std::string_view::npos ? srt.size() : feed + 1);
    return feed != std::string_view::npos;
  };
  for (std::size_t n = 1; n <= cues; ++n) {
    const std::string where = "cue " + std::to_string(n) + ": ";
    std::string_view line;
    if (!next(line) || line != std::to_string(n)) return where + "no number line";
    if (!next(line) || !std::regex_match(line.begin(), line.end(), timing))
      return where + "no timing";
    timings.push_back(line);
    if (!next(line)) return where + "no text line";
    // An empty text has a line of its own.
    if (line.empty() && (!next(line) || !line.empty())) return where + "no empty line after it";
    for (; !line.empty(); next(line)) {
      // Blank to a player: it would end the cue early.
      if (line.find_first_not_of(" \t\v\f\r") == std::string_view::npos)
        return where + "a blank line";
      if (srt.empty()) return where + "text not ended by an empty line";
    }
  }
  return srt.empty() ? "" : "text after the last cue";
}

std::string show(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

std::string checkTimestamp(double seconds) {
  static const std::regex stamp(kStamp);
  const std::string text = toHMS(seconds);
  const std::string where = "toHMS(" + show(seconds) + ") = \"" + text + "\": ";
  if (!std::regex_match(text, stamp)) return where + "not a timestamp";
  if (!std::isfinite(seconds) || seconds < 0 || std::floor(seconds) >= 0x1p63) {
    return text == "00:00:00,000" ? "" : where + "a value without a timestamp must give zero";
  }
  // Within half a millisecond of the fraction scaled in double arithmetic: 0.4955 is 0.49549999...
  // as a double, but its product with 1000 rounds to 495.5 and so to 496 ms.
  unsigned long long hours = 0, minutes = 0, whole = 0, millis = 0;
  std::sscanf(text.c_str(), "%llu:%llu:%llu,%llu", &hours, &minutes, &whole, &millis);
  whole += (hours * 60 + minutes) * 60 - static_cast<unsigned long long>(std::floor(seconds));
  const long double shown = static_cast<long double>(whole) * 1000 + millis;
  const bool near = std::fabs(shown - (seconds - std::floor(seconds)) * 1000.0) <= 0.5L;
  return near ? "" : where + "more than half a millisecond off";
}

long double secondsOf(std::string_view stamp) {
  long double hours = 0, minutes = 0, seconds = 0, millis = 0;
  std::sscanf(std::string(stamp).c_str(), "%Lf:%Lf:%Lf,%Lf", &hours, &minutes, &seconds, &millis);
  return (hours * 60 + minutes) * 60 + seconds + millis / 1000;
}

std::string outcome(const std::optional<ConversionFailure>& failure, const std::string& srt) {
  return failure ? "refused: " + failure->description() : "converted: " + srt;
}

}  // namespace

std::string checkConversion(std::string_view document) {
  const ExtractResult whole = extractSRT(document);
  const std::string expected = outcome(whole.failure, whole.srt);
  // Read sizes that vary with the input, so that every split of the text gets tried.
  testing_io::ChunkedSource source(document, 1 + document.size() % 7);
  testing_io::RecordingSink sink;
  ConversionReport stats;
  const auto failure = convertDocument(source, sink, {}, &stats);
  if (outcome(failure, sink.text) != expected) {
    return "whole: " + expected + "\nsmall reads: " + outcome(failure, sink.text);
  }
  const ExtractResult reference = reference::extractSRT(document);
  if (outcome(reference.failure, reference.srt) != expected) {
    return "streaming: " + expected + "\nreference: " + outcome(reference.failure, reference.srt);
  }
  if (failure) return failure->description().empty() ? "a refusal that does not say why" : "";
  std::vector<std::string_view> timings;
  return checkShape(whole.srt, stats.cues, timings);
}

std::string checkTime(std::string_view bytes) {
  const double value = getTime(bytes);
  // The forms that exports write are read without strtod; a leading "+" changes no value but
  // sends them the strtod path.
  if (!bytes.empty() && bytes[0] >= '0' && bytes[0] <= '9') {
    const double slow = getTime("+" + std::string(bytes));
    if (std::memcmp(&value, &slow, sizeof value) != 0 && !(std::isnan(value) && std::isnan(slow))) {
      return "getTime(\"" + std::string(bytes) + "\") = " + show(value) + ", with a + " +
             show(slow);
    }
  }
  // The first 24 bytes as three doubles: title offset, parent offset and start, as a cue adds them.
  double parts[3] = {value, value, value};
  if (bytes.size() >= sizeof parts) std::memcpy(parts, bytes.data(), sizeof parts);
  const double start = (parts[0] + parts[1]) - parts[2];
  for (double seconds : {value, parts[0], parts[1], parts[2], start, parts[0] + start}) {
    if (std::string problem = checkTimestamp(seconds); !problem.empty()) return problem;
  }
  return {};
}

std::string checkTimeline(std::string_view document) {
  TimelineResult result;
  std::string text;
  for (std::size_t chunk : {document.size() + 1, 1 + document.size() % 7}) {
    // Whole, then in read sizes that vary with the input.
    testing_io::ChunkedSource source(document, chunk);
    testing_io::RecordingSink sink;
    result = {};
    const std::string chunked = outcome(convertTimeline(source, sink, {}, &result), sink.text);
    if (!text.empty() && chunked != text) return "whole: " + text + "\nsmall reads: " + chunked;
    text = chunked;
  }
  if (text.starts_with("refused: "))
    return text.size() > 9 ? "" : "a refusal that does not say why";
  const std::string_view srt = std::string_view(text).substr(11);
  if (!result.project && !srt.empty()) return "cues without a project";
  if (result.cues > result.titles) return "more cues than titles placed";
  std::vector<std::string_view> timings;
  if (std::string problem = checkShape(srt, result.cues, timings); !problem.empty()) return problem;
  long double previous = 0;
  for (std::string_view timing : timings) {
    const long double start = secondsOf(timing),
                      end = secondsOf(timing.substr(timing.find('>') + 2));
    if (start < previous) return "a cue starts before the one above it: " + std::string(timing);
    if (end <= start) return "a cue does not end after its start: " + std::string(timing);
    previous = start;
  }
  return {};
}

}  // namespace caplift::fuzz
