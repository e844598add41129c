#include "convert/titles/title_collector.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "convert/cues/cue_text.h"

namespace caplift {

namespace {

bool named(const xmlChar* name, const char* wanted) {
  return std::strcmp(reinterpret_cast<const char*>(name), wanted) == 0;
}

Seconds timeOf(bool present, const std::string& value) {
  return getTime(present ? std::optional<std::string_view>(value) : std::nullopt);
}

}  // namespace

void TitleCollector::useCallbacks(xmlSAXHandler& sax) {
  // Character data is heard only while a text-style element is open.
  DocumentParser::useElementCallbacks(sax, onStartElement, onEndElement);
}

void TitleCollector::useDictionary(xmlDictPtr dictionary) {
  if (dictionary == nullptr) return;
  auto lookUp = [&](const char* text) { return xmlDictLookup(dictionary, BAD_CAST text, -1); };
  Names names;
  names.title = lookUp("title");
  names.caption = lookUp("caption");
  names.role = lookUp("role");
  names.text = lookUp("text");
  names.textStyle = lookUp("text-style");
  names.offset = lookUp("offset");
  names.start = lookUp("start");
  names.duration = lookUp("duration");
  names.name = lookUp("name");
  names.lane = lookUp("lane");
  names.enabled = lookUp("enabled");
  names.media = lookUp("media");
  names.refClip = lookUp("ref-clip");
  names.mcClip = lookUp("mc-clip");
  names.syncClip = lookUp("sync-clip");
  names.audition = lookUp("audition");
  names.project = lookUp("project");
  names.sequence = lookUp("sequence");
  // A failed lookup (out of memory) leaves the comparison of text.
  interned_ = names.title && names.caption && names.role && names.text && names.textStyle &&
              names.offset && names.start && names.duration && names.name && names.lane &&
              names.enabled && names.media && names.refClip && names.mcClip && names.syncClip &&
              names.audition && names.project && names.sequence;
  if (interned_) names_ = names;
}

bool TitleCollector::is(const xmlChar* name, const xmlChar* Names::*wanted,
                        const char* text) const {
  return interned_ ? name == names_.*wanted : named(name, text);
}

void TitleCollector::onStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                                    const xmlChar* uri, int, const xmlChar**, int attributeCount,
                                    int defaultedCount, const xmlChar** attributes) {
  TitleCollector& self = readerOf<TitleCollector>(context);
  if (self.depth_ == self.frames_.size()) self.frames_.emplace_back();
  Frame& frame = self.frames_[self.depth_];
  self.startElement(localName, prefix != nullptr || uri != nullptr, attributeCount - defaultedCount,
                    attributes, frame);
  ++self.depth_;
  if (self.styles_) {
    self.styles_->startElement(localName, prefix != nullptr || uri != nullptr,
                               attributeCount - defaultedCount, attributes);
    if (frame.kind == Kind::kTextStyle) {
      self.styles_->startRun(self.pieces_.count(), attributeCount - defaultedCount, attributes);
    }
  }
  if (frame.kind == Kind::kTextStyle) self.pieces_.open(context, onCharacters);
}

void TitleCollector::startElement(const xmlChar* localName, bool hasNamespace, int attributeCount,
                                  const xmlChar** attributes, Frame& frame) {
  frame.kind = Kind::kOther;
  frame.marks = 0;
  if (depth_ == 0 && notes_.root.empty()) notes_.root = reinterpret_cast<const char*>(localName);
  if (!hasNamespace) {
    if (is(localName, &Names::title, "title")) {
      if (titles_) {
        startTitle(CueKind::kTitle, attributeCount, attributes);
        frame.kind = Kind::kTitle;
      } else {
        ++notes_.otherKind;
      }
    } else if (is(localName, &Names::caption, "caption")) {
      if (captions_) {
        startTitle(CueKind::kCaption, attributeCount, attributes);
        frame.kind = Kind::kTitle;
      } else {
        ++notes_.otherKind;
      }
    } else if (is(localName, &Names::text, "text")) {
      if (!open_.empty()) {
        frame.kind = Kind::kText;
        frame.text = static_cast<std::uint32_t>(texts_.size());
        texts_.push_back({pieces_.count(), pieces_.count()});
        ++openTexts_;
      }
    } else if (is(localName, &Names::textStyle, "text-style")) {
      if (openTexts_ != 0) frame.kind = Kind::kTextStyle;
    } else {
      frame.marks = markOf(localName, attributeCount, attributes);
    }
  }
  // Kept for a title among the children, in one pass over the attributes.
  frame.hasOffset = false;
  frame.hasStart = false;
  frame.timesRead = false;
  // Copied to locals: the copies of values below could, for all the compiler knows, change them.
  const bool interned = interned_;
  const xmlChar* const offsetName = names_.offset;
  const xmlChar* const startName = names_.start;
  const xmlChar* const laneName = names_.lane;
  const xmlChar* const enabledName = names_.enabled;
  for (int i = 0; i < attributeCount; ++i) {
    const xmlChar** a = attributes + 5 * i;
    if (a[1] != nullptr) continue;
    if (!frame.hasOffset && (interned ? a[0] == offsetName : named(a[0], "offset"))) {
      frame.hasOffset = true;
      frame.offset.assign(attributeValue(a));
    } else if (!frame.hasStart && (interned ? a[0] == startName : named(a[0], "start"))) {
      frame.hasStart = true;
      frame.start.assign(attributeValue(a));
    } else if (interned ? a[0] == laneName : named(a[0], "lane")) {
      frame.marks |= 1U << kOnLane;
    } else if ((interned ? a[0] == enabledName : named(a[0], "enabled")) &&
               attributeValue(a) == "0") {
      frame.marks |= 1U << kDisabled;
    }
  }
  for (int m = 0; frame.marks >> m != 0; ++m) marked_[m] += (frame.marks >> m) & 1U;
}

std::uint8_t TitleCollector::markOf(const xmlChar* localName, int attributeCount,
                                    const xmlChar** attributes) {
  if (is(localName, &Names::media, "media") || is(localName, &Names::refClip, "ref-clip") ||
      is(localName, &Names::mcClip, "mc-clip") || is(localName, &Names::syncClip, "sync-clip")) {
    return 1U << kInCompound;
  }
  if (is(localName, &Names::audition, "audition")) return 1U << kInAudition;
  if (is(localName, &Names::project, "project")) {
    ++notes_.projects;
    return 1U << kInProject;
  }
  // The first project's timeline: where its timecode starts.
  if (!sawTimeline_ && depth_ != 0 && (frames_[depth_ - 1].marks & (1U << kInProject)) != 0 &&
      is(localName, &Names::sequence, "sequence")) {
    sawTimeline_ = true;
    for (int i = 0; i < attributeCount; ++i) {
      const xmlChar** a = attributes + 5 * i;
      if (a[1] == nullptr && named(a[0], "tcStart")) notes_.tcStart = getTime(attributeValue(a));
    }
  }
  return 0;
}

void TitleCollector::noteCue(bool disabled) {
  if (disabled || marked_[kDisabled] != 0) ++notes_.disabled;
  // A cue connected to a clip is timed from that clip, wherever its content comes from.
  const bool onClip = depth_ != 0 && (frames_[depth_ - 1].marks & (1U << kInCompound)) != 0;
  if (marked_[kInCompound] > (onClip ? 1U : 0U)) ++notes_.inClips;
  if (marked_[kInAudition] != 0) ++notes_.inAuditions;
  if (marked_[kOnLane] != 0) ++notes_.onNestedLanes;
  if (marked_[kInProject] != 0 && notes_.projects > 1) ++notes_.inOtherProjects;
}

void TitleCollector::startTitle(CueKind kind, int attributeCount, const xmlChar** attributes) {
  if (cueCount_ == cues_.size()) cues_.emplace_back();
  Pending& cue = cues_[cueCount_];
  open_.push_back({cueCount_++, static_cast<std::uint32_t>(texts_.size())});

  Seconds parentOffset = 0;
  Seconds parentStart = 0;
  if (depth_ != 0) {
    // Read once for all the titles of a clip.
    Frame& parent = frames_[depth_ - 1];
    if (!parent.timesRead) {
      parent.offsetSeconds = timeOf(parent.hasOffset, parent.offset);
      parent.startSeconds = timeOf(parent.hasStart, parent.start);
      parent.timesRead = true;
    }
    parentOffset = parent.offsetSeconds;
    parentStart = parent.startSeconds;
  }
  std::optional<std::string_view> offsetValue;
  std::optional<std::string_view> durationValue;
  std::optional<std::string_view> nameValue;
  std::optional<std::string_view> roleValue;
  bool disabled = false;
  for (int i = 0; i < attributeCount; ++i) {
    const xmlChar** a = attributes + 5 * i;
    if (a[1] != nullptr) continue;
    if (!offsetValue && is(a[0], &Names::offset, "offset")) {
      offsetValue = attributeValue(a);
    } else if (!durationValue && is(a[0], &Names::duration, "duration")) {
      durationValue = attributeValue(a);
    } else if (!nameValue && is(a[0], &Names::name, "name")) {
      nameValue = attributeValue(a);
    } else if (!roleValue && is(a[0], &Names::role, "role")) {
      roleValue = attributeValue(a);
    } else if (is(a[0], &Names::enabled, "enabled")) {
      disabled = attributeValue(a) == "0";
    }
  }
  noteCue(disabled);
  const Seconds offset = getTime(offsetValue);
  const Seconds duration = getTime(durationValue);
  cue.start = (offset + parentOffset) - parentStart;
  cue.end = duration + cue.start;
  cue.name.assign(nameValue.value_or(std::string_view()));
  cue.role.assign(roleValue.value_or(std::string_view()));
  cue.kind = kind;
}

void TitleCollector::onEndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  TitleCollector& self = readerOf<TitleCollector>(context);
  const Frame& frame = self.frames_[--self.depth_];
  if (self.styles_) self.styles_->endElement();
  for (int m = 0; frame.marks >> m != 0; ++m) self.marked_[m] -= (frame.marks >> m) & 1U;
  switch (frame.kind) {
    case Kind::kOther:
      break;
    case Kind::kTitle:
      self.endTitle();
      if (self.open_.empty()) self.flushCues(context);
      break;
    case Kind::kText:
      self.texts_[frame.text].endPiece = self.pieces_.count();
      --self.openTexts_;
      break;
    case Kind::kTextStyle:
      self.pieces_.close(context);
      break;
  }
}

void TitleCollector::onCharacters(void* context, const xmlChar* characters, int length) {
  readerOf<TitleCollector>(context).pieces_.append(characters, length);
}

void TitleCollector::endTitle() {
  const OpenTitle title = open_.back();
  open_.pop_back();
  // Every text element that started inside the title lies inside it and has ended.
  Pending& cue = cues_[title.cue];
  if (styles_) {
    for (std::size_t t = title.firstText; t < texts_.size(); ++t) {
      styles_->addPieces(pieces_, texts_[t].firstPiece, texts_[t].endPiece);
    }
    cue.text.clear();
    cue.runs.clear();
    styles_->appendCue(cue.text, cue.runs, cue.name);
    return;
  }
  joined_.clear();
  for (std::size_t t = title.firstText; t < texts_.size(); ++t) {
    for (std::uint32_t p = texts_[t].firstPiece; p < texts_[t].endPiece; ++p) joined_ += pieces_[p];
  }
  const std::string_view collected = trimWhiteSpace(joined_);
  cue.text.clear();
  appendWithoutBlankLines(cue.text, collected.empty() ? std::string_view(cue.name) : collected);
}

void TitleCollector::flushCues(void* context) {
  for (std::uint32_t i = 0; i < cueCount_; ++i) {
    const Pending& pending = cues_[i];
    Cue cue;
    cue.start = millisecondsOf(pending.start);
    cue.end = millisecondsOf(pending.end);
    cue.text = pending.text;
    cue.kind = pending.kind;
    cue.role = pending.role;
    if (styles_) cue.runs = pending.runs;
    if (!stream_.add(cue)) {
      DocumentParser::stop(context);
      break;
    }
  }
  cueCount_ = 0;
  texts_.clear();
  pieces_.truncate(0);
}

}  // namespace caplift
