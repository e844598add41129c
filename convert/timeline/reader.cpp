#include "convert/timeline/reader.h"

#include <cstring>

#include "convert/cues/cue_text.h"
#include "convert/timeline/retiming.h"

namespace caplift::timeline {

namespace {

enum class Name : std::uint8_t {
  kStory,
  kProject,
  kSequence,
  kResources,
  kMulticam,
  kMcAngle,
  kMcSource,
  kConformRate,
  kTimeMap,
  kTimept,
  kText,
  kTextStyle,
};

struct NameEntry {
  const char* text;
  Name name;
  StoryKind kind;
};

constexpr NameEntry kNames[] = {
    {"audio", Name::kStory, StoryKind::kAudio},
    {"video", Name::kStory, StoryKind::kVideo},
    {"clip", Name::kStory, StoryKind::kClip},
    {"title", Name::kStory, StoryKind::kTitle},
    {"caption", Name::kStory, StoryKind::kCaption},
    {"mc-clip", Name::kStory, StoryKind::kMcClip},
    {"ref-clip", Name::kStory, StoryKind::kRefClip},
    {"sync-clip", Name::kStory, StoryKind::kSyncClip},
    {"asset-clip", Name::kStory, StoryKind::kAssetClip},
    {"audition", Name::kStory, StoryKind::kAudition},
    {"gap", Name::kStory, StoryKind::kGap},
    {"spine", Name::kStory, StoryKind::kSpine},
    {"project", Name::kProject, {}},
    {"sequence", Name::kSequence, {}},
    {"resources", Name::kResources, {}},
    {"multicam", Name::kMulticam, {}},
    {"mc-angle", Name::kMcAngle, {}},
    {"mc-source", Name::kMcSource, {}},
    {"conform-rate", Name::kConformRate, {}},
    {"timeMap", Name::kTimeMap, {}},
    {"timept", Name::kTimept, {}},
    {"text", Name::kText, {}},
    {"text-style", Name::kTextStyle, {}},
};

const NameEntry* lookUp(const xmlChar* name) {
  const auto* text = reinterpret_cast<const char*>(name);
  for (const NameEntry& entry : kNames) {
    if (entry.text[0] == text[0] && std::strcmp(entry.text, text) == 0) return &entry;
  }
  return nullptr;
}

bool is(const char* name, const char* wanted) {
  return std::strcmp(name, wanted) == 0;
}

// A lane other than 0: an integer numeral, [+-]digits, with a digit other than 0.
bool isConnectedLane(std::string_view lane) {
  if (!lane.empty() && (lane[0] == '+' || lane[0] == '-')) lane.remove_prefix(1);
  if (lane.empty()) return false;
  bool nonZero = false;
  for (char c : lane) {
    if (c < '0' || c > '9') return false;
    nonZero = nonZero || c != '0';
  }
  return nonZero;
}

}  // namespace

void TimelineReader::useCallbacks(xmlSAXHandler& sax) {
  // Character data is heard only inside the text-style elements of a kept title's text.
  DocumentParser::useElementCallbacks(sax, onStartElement, onEndElement);
}

void TimelineReader::onStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                                    const xmlChar* uri, int, const xmlChar**, int attributeCount,
                                    int defaultedCount, const xmlChar** attributes) {
  TimelineReader& self = readerOf<TimelineReader>(context);
  Open open;
  if (self.styles_) {
    self.styles_->startElement(localName, prefix != nullptr || uri != nullptr,
                               attributeCount - defaultedCount, attributes);
  }
  if (prefix == nullptr && uri == nullptr) {
    open = self.start(context, localName, attributeCount - defaultedCount, attributes);
  }
  self.open_.push_back(open);
}

void TimelineReader::onEndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  TimelineReader& self = readerOf<TimelineReader>(context);
  const Open open = self.open_.back();
  self.open_.pop_back();
  if (self.styles_) self.styles_->endElement();
  self.end(context, open);
}

void TimelineReader::onCharacters(void* context, const xmlChar* characters, int length) {
  readerOf<TimelineReader>(context).pieces_.append(characters, length);
}

TimelineReader::Open TimelineReader::start(void* context, const xmlChar* name, int attributeCount,
                                           const xmlChar** attributes) {
  Open& parent = open_.empty() ? root_ : open_.back();
  if (open_.empty() && notes_.root.empty()) notes_.root = reinterpret_cast<const char*>(name);
  const NameEntry* entry = lookUp(name);
  if (entry != nullptr && entry->name == Name::kStory &&
      (entry->kind == StoryKind::kCaption ? !captions_
                                          : entry->kind == StoryKind::kTitle && !titles_)) {
    ++notes_.otherKind;
  }
  // Without captions asked for, a caption is no story element at all.
  if (entry != nullptr && entry->kind == StoryKind::kCaption && entry->name == Name::kStory &&
      !captions_) {
    entry = nullptr;
  }
  if (entry != nullptr && entry->name == Name::kStory) ++model_.storyElements;
  if (parent.role == Role::kResources) {
    Open open = startResource(name, attributeCount, attributes);
    if (entry == nullptr || entry->name != Name::kResources) return open;
  }
  if (entry == nullptr) return {};
  switch (entry->name) {
    case Name::kStory:
      if (parent.role == Role::kNode || parent.role == Role::kAngle ||
          ((parent.role == Role::kTimeline || parent.role == Role::kCompound) &&
           entry->kind == StoryKind::kSpine)) {
        return startStory(entry->kind, parent, attributeCount, attributes);
      }
      return {};
    case Name::kProject: {
      std::string projectName;
      forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
        if (is(key, "name")) projectName = value;
      });
      Open open{Role::kProject};
      open.index = !model_.hasTimeline && (!wanted_ || *wanted_ == projectName) ? 1 : 0;
      projectNames_.push_back(std::move(projectName));
      return open;
    }
    case Name::kSequence:
      return startSequence(parent, attributeCount, attributes);
    case Name::kResources:
      return {Role::kResources};
    case Name::kMulticam:
      return startMulticam(parent, attributeCount, attributes);
    case Name::kMcAngle:
      return startAngle(parent, attributeCount, attributes);
    case Name::kMcSource:
      chooseAngle(parent, attributeCount, attributes);
      return {};
    case Name::kConformRate:
      conform(parent, attributeCount, attributes);
      return {};
    case Name::kTimeMap:
      return startTimeMap(parent);
    case Name::kTimept:
      addTimePoint(parent, attributeCount, attributes);
      return {};
    case Name::kText:
      if (parent.role != Role::kNode || !model_.nodes[parent.index].has(kCue)) {
        return {};
      }
      ++openTexts_;
      return {Role::kTitleText};
    case Name::kTextStyle:
      if (openTexts_ == 0) return {};
      if (styles_) styles_->startRun(pieces_.count(), attributeCount, attributes);
      pieces_.open(context, onCharacters);
      return {Role::kTextStyle};
  }
  return {};
}

TimelineReader::Open TimelineReader::startStory(StoryKind kind, Open& parent, int attributeCount,
                                                const xmlChar** attributes) {
  Node node;
  node.kind = kind;
  std::string_view name;
  std::string_view role;
  const bool referring = kind == StoryKind::kRefClip || kind == StoryKind::kMcClip;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    switch (key[0]) {
      case 'o':
        if (is(key, "offset")) node.offset = readExactTime(value);
        break;
      case 's':
        if (is(key, "start")) node.start = readExactTime(value);
        if (is(key, "srcEnable") && value == "audio") node.flags |= kAudioOnly;
        break;
      case 'd':
        if (is(key, "duration")) {
          node.duration = readExactTime(value);
          node.flags |= kHasDuration;
        }
        break;
      case 'l':
        if (is(key, "lane") && isConnectedLane(value)) node.flags |= kConnected;
        break;
      case 'e':
        if (is(key, "enabled") && value == "0") node.flags |= kDisabled;
        break;
      case 'r':
        if (referring && is(key, "ref")) node.ref = symbol(value);
        if (is(key, "role")) role = value;
        break;
      case 'n':
        if (is(key, "name")) name = value;
        break;
      default:
        break;
    }
  });
  const auto index = static_cast<std::uint32_t>(model_.nodes.size());
  model_.nodes.push_back(node);
  link(parent, index);
  if ((kind == StoryKind::kTitle && titles_) || kind == StoryKind::kCaption) {
    model_.nodes[index].flags |= kCue;
    openCues_.push_back({index, pieces_.count(), std::string(name), std::string(role)});
  }
  return {Role::kNode, index};
}

TimelineReader::Open TimelineReader::startSequence(Open& parent, int attributeCount,
                                                   const xmlChar** attributes) {
  Sequence sequence;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "format")) sequence.format = symbol(value);
    if (is(key, "tcStart")) sequence.tcStart = readExactTime(value);
  });
  if (parent.role == Role::kProject && !parent.sawSequence) {
    parent.sawSequence = true;
    model_.projects.push_back(projectNames_.back());
    if (parent.index == 1 && !model_.hasTimeline) {
      model_.hasTimeline = true;
      model_.project = projectNames_.back();
      model_.timeline = sequence;
      formats_.push_back(sequence.format);
      return {Role::kTimeline};
    }
  }
  if (parent.role == Role::kMedia &&
      model_.resources[parent.index].kind == Resource::Kind::kOther) {
    const auto index = static_cast<std::uint32_t>(model_.compounds.size());
    model_.resources[parent.index] = {Resource::Kind::kCompound, index};
    model_.compounds.push_back(sequence);
    formats_.push_back(sequence.format);
    return {Role::kCompound, index};
  }
  return {};
}

TimelineReader::Open TimelineReader::startMulticam(Open& parent, int attributeCount,
                                                   const xmlChar** attributes) {
  if (parent.role != Role::kMedia ||
      model_.resources[parent.index].kind != Resource::Kind::kOther) {
    return {};
  }
  Multicam multicam;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "format")) multicam.format = symbol(value);
  });
  const auto index = static_cast<std::uint32_t>(model_.multicams.size());
  model_.resources[parent.index] = {Resource::Kind::kMulticam, index};
  model_.multicams.push_back(multicam);
  formats_.push_back(multicam.format);
  return {Role::kMulticam, index};
}

TimelineReader::Open TimelineReader::startAngle(Open& parent, int attributeCount,
                                                const xmlChar** attributes) {
  if (parent.role != Role::kMulticam) return {};
  Angle angle;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "angleID")) angle.id = symbol(value);
  });
  const auto index = static_cast<std::uint32_t>(model_.angles.size());
  model_.angles.push_back(angle);
  if (parent.lastChild == kNone) {
    model_.multicams[parent.index].firstAngle = index;
  } else {
    model_.angles[parent.lastChild].next = index;
  }
  parent.lastChild = index;
  return {Role::kAngle, index};
}

void TimelineReader::chooseAngle(const Open& parent, int attributeCount,
                                 const xmlChar** attributes) {
  if (parent.role != Role::kNode || model_.nodes[parent.index].kind != StoryKind::kMcClip) return;
  bool video = true;
  std::uint32_t angle = kNone;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "srcEnable")) video = value == "all" || value == "video";
    if (is(key, "angleID")) angle = symbol(value);
  });
  // The last source that shows video picks the angle.
  if (video) model_.nodes[parent.index].item = angle;
}

void TimelineReader::conform(const Open& parent, int attributeCount, const xmlChar** attributes) {
  if (parent.role != Role::kNode) return;
  Retime& retime = model_.retimes[retimeOf(parent.index)];
  if (retime.conformed) return;
  retime.conformed = true;
  retime.scaled = true;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "srcFrameRate")) retime.sourceRate = readExactTime(value);
    if (is(key, "scaleEnabled")) retime.scaled = value != "0";
  });
}

TimelineReader::Open TimelineReader::startTimeMap(const Open& parent) {
  if (parent.role != Role::kNode) return {};
  const std::uint32_t index = retimeOf(parent.index);
  Retime& retime = model_.retimes[index];
  if (retime.mapped) return {};
  retime.mapped = true;
  retime.firstPoint = retime.endPoint = static_cast<std::uint32_t>(model_.points.size());
  return {Role::kTimeMap, index};
}

void TimelineReader::addTimePoint(const Open& parent, int attributeCount,
                                  const xmlChar** attributes) {
  if (parent.role != Role::kTimeMap) return;
  TimePoint point;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "time")) point.time = readExactTime(value);
    if (is(key, "value")) point.value = readExactTime(value);
  });
  model_.points.push_back(point);
  model_.retimes[parent.index].endPoint = static_cast<std::uint32_t>(model_.points.size());
}

TimelineReader::Open TimelineReader::startResource(const xmlChar* name, int attributeCount,
                                                   const xmlChar** attributes) {
  std::string_view idText;
  std::string_view frameDuration;
  bool hasId = false;
  forEachAttribute(attributeCount, attributes, [&](const char* key, std::string_view value) {
    if (is(key, "id")) {
      idText = value;
      hasId = true;
    }
    if (is(key, "frameDuration")) frameDuration = value;
  });
  if (!hasId) return {};
  const std::uint32_t id = symbol(idText);
  Resource& resource = model_.resources[id];
  if (resource.kind != Resource::Kind::kNone) return {};  // the first definition wins
  const auto* element = reinterpret_cast<const char*>(name);
  if (is(element, "format")) {
    resource = {Resource::Kind::kFormat, static_cast<std::uint32_t>(model_.formats.size())};
    model_.formats.push_back(readExactTime(frameDuration));
    return {};
  }
  // A media gets its kind from its first sequence or multicam.
  resource.kind = Resource::Kind::kOther;
  return is(element, "media") ? Open{Role::kMedia, id} : Open{};
}

void TimelineReader::link(Open& parent, std::uint32_t child) {
  std::uint32_t* first = nullptr;
  switch (parent.role) {
    case Role::kNode:
      first = &model_.nodes[parent.index].firstChild;
      break;
    case Role::kTimeline:
      first = &model_.timeline.firstSpine;
      break;
    case Role::kCompound:
      first = &model_.compounds[parent.index].firstSpine;
      break;
    case Role::kAngle:
      first = &model_.angles[parent.index].firstChild;
      break;
    default:
      return;
  }
  if (parent.lastChild == kNone) {
    *first = child;
  } else {
    model_.nodes[parent.lastChild].next = child;
  }
  parent.lastChild = child;
}

std::uint32_t TimelineReader::retimeOf(std::uint32_t node) {
  std::uint32_t& index = model_.nodes[node].retime;
  if (index == kNone) {
    index = static_cast<std::uint32_t>(model_.retimes.size());
    Retime retime;
    retime.format = formats_.empty() ? kNone : formats_.back();
    model_.retimes.push_back(retime);
  }
  return index;
}

std::uint32_t TimelineReader::symbol(std::string_view text) {
  const auto [it, added] =
      symbols_.try_emplace(std::string(text), static_cast<std::uint32_t>(symbols_.size()));
  if (added) model_.resources.emplace_back();
  return it->second;
}

void TimelineReader::end(void* context, const Open& open) {
  switch (open.role) {
    case Role::kNode:
      if (model_.nodes[open.index].has(kCue)) endTitle();
      break;
    case Role::kTimeline:
    case Role::kCompound:
    case Role::kMulticam:
      formats_.pop_back();
      break;
    case Role::kProject:
      projectNames_.pop_back();
      break;
    case Role::kTitleText:
      --openTexts_;
      break;
    case Role::kTextStyle:
      pieces_.close(context);
      break;
    default:
      break;
  }
}

// The cue text as the default conversion makes it, from the title's own text elements only.
void TimelineReader::endTitle() {
  OpenTitle title = std::move(openCues_.back());
  openCues_.pop_back();
  CueTexts& texts = model_.cueTexts;
  if (styles_) {
    styles_->addPieces(pieces_, title.firstPiece, pieces_.count());
    pieces_.truncate(title.firstPiece);
    styles_->appendCue(texts.bytes, texts.runs, title.name);
    texts.runEnds.push_back(texts.runs.size());
  } else {
    joined_.clear();
    for (std::uint32_t p = title.firstPiece; p < pieces_.count(); ++p) joined_ += pieces_[p];
    pieces_.truncate(title.firstPiece);
    const std::string_view collected = trimWhiteSpace(joined_);
    appendWithoutBlankLines(texts.bytes,
                            collected.empty() ? std::string_view(title.name) : collected);
  }
  const Node& node = model_.nodes[title.node];
  model_.nodes[title.node].item = static_cast<std::uint32_t>(texts.ends.size());
  texts.ends.push_back(texts.bytes.size());
  texts.kinds.push_back(node.kind == StoryKind::kCaption ? CueKind::kCaption : CueKind::kTitle);
  const auto [role, added] =
      roles_.try_emplace(std::move(title.role), static_cast<std::uint32_t>(texts.roleNames.size()));
  if (added) texts.roleNames.push_back(role->first);
  texts.roles.push_back(role->second);
}

Model TimelineReader::take() {
  for (Retime& retime : model_.retimes) {
    if (retime.timeMap() || !retime.conformed || !retime.scaled) continue;
    Rational timelineRate;
    const Resource format = retime.format == kNone ? Resource{} : model_.resources[retime.format];
    if (format.kind == Resource::Kind::kFormat && !model_.formats[format.index].isZero()) {
      timelineRate = Rational(1) / model_.formats[format.index];
    }
    retime.factor = conformFactor(retime.sourceRate, timelineRate);
  }
  return std::move(model_);
}

}  // namespace caplift::timeline
