// Writes a synthetic FCPXML export of about a given size, the same bytes for the same seed and
// size on every machine. It looks like an edit of a long programme: formats, effects and media
// among the resources, then one sequence whose spine holds clips, gaps and titles. Most titles
// are connected to a clip (lane 1) and carry parameters, a text element with one or two
// text-style runs and a text-style definition; times are rational ("1001/30000s") as exported at
// 29.97 fps.
//
//   caplift_bench_generate OUTPUT BYTES     about BYTES long
//   caplift_bench_generate OUTPUT -t TITLES with exactly TITLES titles
//
// Prints "<bytes> <titles>" on standard output. The seed is fixed: the same arguments give the
// same file.

#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// splitmix64: small, fast, and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint64_t below(std::uint64_t n) { return next() % n; }
  bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }
  template <std::size_t N>
  const char* pick(const char* const (&choices)[N]) {
    return choices[below(N)];
  }

 private:
  std::uint64_t state_;
};

constexpr const char* kWords[] = {
    "the",     "a",     "we",     "you",     "never",  "always", "night",  "city",   "river",
    "morning", "light", "shadow", "station", "train",  "coffee", "letter", "window", "garden",
    "again",   "here",  "there",  "why",     "maybe",  "today",  "listen", "wait",   "home",
    "café",    "über",  "naïve",  "façade",  "Zürich", "Ελλάδα", "Москва", "字幕",   "東京",
    "can't",   "it's",  "Ready?", "Go!",     "yes,",   "no.",    "well…",  "“quote”"};
constexpr const char* kFonts[] = {"Helvetica", "Helvetica Neue", "Avenir Next",
                                  "Futura",    "Gill Sans",      "Menlo"};
constexpr const char* kFaces[] = {"Regular", "Bold", "Medium", "Italic"};
constexpr const char* kColours[] = {"1 1 1 1", "1 0.9 0.2 1", "0.8 0.8 0.8 1", "0 0 0 1"};

// Frames at 30000/1001 fps as FCPXML writes them: "<frames*1001>/30000s", or whole seconds.
std::string frameTime(std::uint64_t frames) {
  std::string text = std::to_string(frames % 30000 == 0 ? frames / 30000 * 1001 : frames * 1001);
  text += frames % 30000 == 0 ? "s" : "/30000s";
  return text;
}

constexpr std::uint64_t kSeed = 20230504;

class Generator {
 public:
  Generator(std::FILE* out, std::uint64_t seed) : out_(out), random_(seed) {}

  // Stops at whichever limit comes first.
  void run(std::uint64_t maxBytes, std::uint64_t maxTitles) {
    maxTitles_ = maxTitles;
    header();
    // The tail that closes the document is short; stop the spine when the body reaches the size.
    while (written_ + buffer_.size() + 200 < maxBytes && titles_ < maxTitles_) spineItem();
    footer();
    flush();
  }

  std::uint64_t bytes() const { return written_; }
  std::uint64_t titles() const { return titles_; }
  bool failed() const { return failed_; }

 private:
  // Appends the parts in order (built piece by piece: no temporaries of operator+).
  template <class... Parts>
  void put(const Parts&... parts) {
    (buffer_.append(std::string_view(parts)), ...);
  }
  void flush() {
    if (buffer_.empty()) return;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) failed_ = true;
    written_ += buffer_.size();
    buffer_.clear();
  }

  void header() {
    put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE fcpxml>\n\n"
        "<fcpxml version=\"1.10\">\n  <resources>\n"
        "    <format id=\"r1\" name=\"FFVideoFormat1080p2997\" frameDuration=\"1001/30000s\" "
        "width=\"1920\" height=\"1080\" colorSpace=\"1-1-1 (Rec. 709)\"/>\n"
        "    <effect id=\"r2\" name=\"Basic Title\" "
        "uid=\".../Titles.localized/Bumper:Opener.localized/Basic Title.localized/"
        "Basic Title.moti\"/>\n"
        "    <effect id=\"r3\" name=\"Custom\" "
        "uid=\".../Titles.localized/Build In:Out.localized/Custom.localized/Custom.moti\"/>\n");
    for (int i = 0; i < kAssets; ++i) {
      const std::string number = std::to_string(i);
      put("    <asset id=\"r", std::to_string(10 + i), "\" name=\"A00", number, "_C00",
          std::to_string(i % 7), "\" uid=\"", hex(32), "\" start=\"0s\" duration=\"",
          frameTime(54000 + random_.below(54000)),
          "\" hasVideo=\"1\" format=\"r1\" hasAudio=\"1\" audioSources=\"1\" "
          "audioChannels=\"2\" audioRate=\"48000\">\n"
          "      <media-rep kind=\"original-media\" sig=\"",
          hex(32), "\" src=\"file:///Volumes/Media/Shoot/A00", number, ".mov\"/>\n    </asset>\n");
    }
    put("  </resources>\n  <library location=\"file:///Volumes/Media/Programme.fcpbundle/\">\n"
        "    <event name=\"Programme\" uid=\"",
        hex(32), "\">\n      <project name=\"Programme (subtitled)\" uid=\"", hex(32),
        "\" modDate=\"2023-05-04 10:11:12 +0200\">\n"
        "        <sequence format=\"r1\" duration=\"0s\" tcStart=\"0s\" tcFormat=\"NDF\" "
        "audioLayout=\"stereo\" audioRate=\"48k\">\n          <spine>\n");
  }

  void footer() {
    put("          </spine>\n        </sequence>\n      </project>\n"
        "    </event>\n  </library>\n</fcpxml>\n");
  }

  std::string hex(int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < digits; ++i) text += kHex[random_.below(16)];
    return text;
  }

  std::string words(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      if (i != 0) text += ' ';
      text += random_.pick(kWords);
    }
    return text;
  }

  // A subtitle line with the escaping an exporter does.
  std::string line() {
    std::string text;
    const bool bracketed = random_.chance(3);
    if (bracketed) text += "&lt;";
    text += words(2 + static_cast<int>(random_.below(6)));
    if (random_.chance(5)) {
      text += " &amp; ";
      text += words(2);
    }
    if (bracketed) text += "&gt;";
    return text;
  }

  void spineItem() {
    const std::uint64_t length = 60 + random_.below(240);  // frames
    const int kind = static_cast<int>(random_.below(100));
    if (kind < 84) {
      clip(length);
    } else if (kind < 88) {
      gap(length);
    } else {
      // A title straight on the spine, which has no time attributes of its own.
      title(position_, length, 12);
    }
    position_ += length;
    if (buffer_.size() >= (1u << 20)) flush();
  }

  void clip(std::uint64_t length) {
    const std::uint64_t start = 1800 + random_.below(36000);
    put("            <asset-clip ref=\"r", std::to_string(10 + random_.below(kAssets)),
        "\" offset=\"", frameTime(position_), "\" name=\"A00",
        std::to_string(random_.below(kAssets)), "\" start=\"", frameTime(start), "\" duration=\"",
        frameTime(length), "\" format=\"r1\" tcFormat=\"NDF\">\n");
    if (random_.chance(15)) {
      put("              <adjust-transform position=\"0 0\" scale=\"1.1 1.1\"/>\n");
    }
    // Connected titles: their offsets are in the clip's own time, from its start.
    const int count = 1 + static_cast<int>(random_.below(5));
    std::uint64_t at = start;
    for (int i = 0; i < count && titles_ < maxTitles_; ++i) {
      const std::uint64_t duration = 30 + random_.below(length - 30);
      title(at, duration, 14);
      at += duration / 2;
    }
    put("            </asset-clip>\n");
  }

  void gap(std::uint64_t length) {
    put("            <gap name=\"Gap\" offset=\"", frameTime(position_),
        "\" start=\"3600s\" duration=\"", frameTime(length), "\">\n");
    title(108000, length, 14);
    put("            </gap>\n");
  }

  void title(std::uint64_t offset, std::uint64_t duration, int indent) {
    ++titles_;
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    std::string id = "ts";
    id += std::to_string(titles_);
    put(pad, "<title ref=\"", random_.chance(85) ? "r2" : "r3", "\" lane=\"1\" offset=\"",
        frameTime(offset), "\" name=\"", words(2), " - Basic Title\" start=\"", frameTime(108000),
        "\" duration=\"", frameTime(duration), "\">\n");
    put(pad, "  <param name=\"Position\" key=\"9999/999166631/999166633/1/100/101\" value=\"0 -",
        std::to_string(300 + random_.below(200)), "\"/>\n");
    if (random_.chance(20)) {
      put(pad,
          "  <param name=\"Alignment\" key=\"9999/999166631/999166633/2/354/999169573/401\" "
          "value=\"1 (Center)\"/>\n");
    }
    if (random_.chance(4)) {
      // No text: the cue falls back to the title's name.
      put(pad, "</title>\n");
      return;
    }
    put(pad, "  <text>\n", pad, "    <text-style ref=\"", id, "\">", line());
    if (random_.chance(15)) put("\n", line());
    put("</text-style>\n");
    if (random_.chance(20))
      put(pad, "    <text-style ref=\"", id, "b\"> ", words(2), "</text-style>\n");
    put(pad, "  </text>\n");
    put(pad, "  <text-style-def id=\"", id, "\">\n", pad, "    <text-style font=\"",
        random_.pick(kFonts), "\" fontSize=\"", std::to_string(40 + random_.below(40)),
        "\" fontFace=\"", random_.pick(kFaces), "\" fontColor=\"", random_.pick(kColours),
        "\" alignment=\"center\"/>\n", pad, "  </text-style-def>\n");
    put(pad, "</title>\n");
  }

  static constexpr int kAssets = 48;

  std::FILE* out_;
  Random random_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  std::uint64_t titles_ = 0;
  std::uint64_t maxTitles_ = 0;
  std::uint64_t position_ = 0;
  bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const bool byTitles = argc == 4 && std::strcmp(argv[2], "-t") == 0;
  if (argc != 3 && !byTitles) {
    std::fprintf(stderr, "usage: %s OUTPUT BYTES | %s OUTPUT -t TITLES\n", argv[0], argv[0]);
    return 2;
  }
  const std::uint64_t limit = std::strtoull(argv[byTitles ? 3 : 2], nullptr, 10);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "%s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  Generator generator(out, kSeed);
  generator.run(byTitles ? UINT64_MAX : limit, byTitles ? limit : UINT64_MAX);
  if (std::fclose(out) != 0 || generator.failed()) {
    std::fprintf(stderr, "%s: write failed\n", argv[1]);
    return 1;
  }
  std::printf("%" PRIu64 " %" PRIu64 "\n", generator.bytes(), generator.titles());
  return 0;
}
