#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/cues/cue.h"
#include "convert/timeline/rational.h"

namespace caplift {

// What the timeline mode keeps of a document: the story elements that a walk from a project's
// timeline or from a compound or multicam could reach, with only the attributes that place a
// title, and the titles' cue texts. Children are linked lists in document order.
namespace timeline {

inline constexpr std::uint32_t kNone = UINT32_MAX;

enum class StoryKind : std::uint8_t {
  kAudio,
  kVideo,
  kClip,
  kTitle,
  kCaption,
  kMcClip,
  kRefClip,
  kSyncClip,
  kAssetClip,
  kAudition,
  kGap,
  kSpine,
};

enum NodeFlags : std::uint8_t {
  kDisabled = 1,     // enabled="0"
  kConnected = 2,    // a lane other than 0
  kAudioOnly = 4,    // srcEnable="audio"
  kHasDuration = 8,  // its window cuts what it contains
  kCue = 16,         // a title or caption that gives a cue
};

struct Node {
  Rational offset;
  Rational start;
  Rational duration;
  std::uint32_t firstChild = kNone;
  std::uint32_t next = kNone;  // the next sibling
  std::uint32_t ref = kNone;   // ref-clip, mc-clip: the symbol of its "ref"
  // cue element: its index in Model::cueTexts; mc-clip: the symbol of the angle its sources pick
  std::uint32_t item = kNone;
  std::uint32_t retime = kNone;  // index in Model::retimes
  StoryKind kind = StoryKind::kGap;
  std::uint8_t flags = 0;

  bool has(NodeFlags flag) const { return (flags & flag) != 0; }
};

// A clip's conform-rate and time map (the first of each).
struct Retime {
  Rational sourceRate;           // srcFrameRate; 0 when absent or unreadable
  std::uint32_t format = kNone;  // the format symbol of the enclosing sequence or multicam
  std::uint32_t firstPoint = 0;  // its timept, in Model::points
  std::uint32_t endPoint = 0;
  bool conformed = false;  // has a conform-rate
  bool scaled = false;     // whose scaleEnabled is not "0"
  bool mapped = false;     // has a timeMap
  Rational factor = 1;     // f, once resolved

  bool timeMap() const { return endPoint - firstPoint >= 2; }
};

struct TimePoint {
  Rational time;   // retimed time
  Rational value;  // source time
};

struct Sequence {
  std::uint32_t firstSpine = kNone;
  std::uint32_t format = kNone;
  Rational tcStart;
};

struct Angle {
  std::uint32_t id = kNone;  // angleID symbol
  std::uint32_t firstChild = kNone;
  std::uint32_t next = kNone;  // the multicam's next angle
};

struct Multicam {
  std::uint32_t format = kNone;
  std::uint32_t firstAngle = kNone;  // in Model::angles
};

// What an id among the resources names (the first definition wins).
struct Resource {
  enum class Kind : std::uint8_t { kNone, kFormat, kCompound, kMulticam, kOther };
  Kind kind = Kind::kNone;
  std::uint32_t index = kNone;  // in Model::formats, compounds or multicams
};

// The cue texts of the titles, one after another, with their kinds and roles, and their runs
// while styles are kept.
struct CueTexts {
  std::string bytes;
  std::vector<std::size_t> ends;
  std::vector<CueKind> kinds;
  std::vector<std::uint32_t> roles;  // in roleNames
  std::vector<std::string> roleNames;
  std::vector<TextRun> runs;
  std::vector<std::size_t> runEnds;  // empty when styles are not kept

  std::span<const TextRun> runsOf(std::uint32_t title) const {
    if (runEnds.empty()) return {};
    const std::size_t begin = title == 0 ? 0 : runEnds[title - 1];
    return std::span<const TextRun>(runs).subspan(begin, runEnds[title] - begin);
  }

  std::string_view operator[](std::uint32_t title) const {
    const std::size_t begin = title == 0 ? 0 : ends[title - 1];
    return std::string_view(bytes).substr(begin, ends[title] - begin);
  }
};

struct Model {
  std::deque<Node> nodes;  // no copy of the whole as it grows
  std::vector<Retime> retimes;
  std::vector<TimePoint> points;
  std::vector<Sequence> compounds;  // the sequences of media resources
  std::vector<Multicam> multicams;
  std::vector<Angle> angles;
  std::vector<Rational> formats;    // frameDuration
  std::vector<Resource> resources;  // by symbol
  CueTexts cueTexts;
  bool hasTimeline = false;
  Sequence timeline;                  // the chosen project's sequence
  std::string project;                // its name
  std::vector<std::string> projects;  // every project with a sequence, in document order
  std::uint64_t storyElements = 0;    // in the whole document
};

}  // namespace timeline
}  // namespace caplift
