#include "convert/timeline/walk.h"

#include <algorithm>
#include <utility>

#include "convert/timeline/retiming.h"

namespace caplift::timeline {

namespace {

// Compounds and multicams that use each other may multiply the work: a walk may visit this many
// elements, plus kVisitsPerElement for each story element of the document, and open this many
// contents inside one another.
constexpr std::uint64_t kFreeVisits = 1'000'000;
constexpr std::uint64_t kVisitsPerElement = 16;
constexpr int kMaxOpenContents = 64;

// A time of `node` in the time of its parent: offset + f × (t − start).
Rational mapThrough(const Node& node, const Rational& factor, const Rational& t) {
  if (factor == 1) return node.offset == node.start ? t : node.offset + (t - node.start);
  return node.offset + factor * (t - node.start);
}

}  // namespace

TimelineWalk::TimelineWalk(const Model& model)
    : model_(model),
      limit_(kFreeVisits + kVisitsPerElement * model.storyElements),
      compoundOpen_(model.compounds.size()) {}

std::optional<ConversionFailure> TimelineWalk::check() {
  return walk(false);
}

std::vector<Placement> TimelineWalk::place() {
  // check() counted the titles: there will be no more placements.
  placements_.reserve(titles_);
  walk(true);
  return std::move(placements_);
}

std::optional<ConversionFailure> TimelineWalk::walk(bool placing) {
  placing_ = placing;
  visits_ = 0;
  titles_ = 0;
  openContents_ = 0;
  frames_.clear();
  placements_.clear();
  std::fill(compoundOpen_.begin(), compoundOpen_.end(), false);
  if (!model_.hasTimeline) return std::nullopt;

  // The project's sequence: its spines are contained in it.
  Frame top;
  top.next = model_.timeline.firstSpine;
  top.inContent = true;
  frames_.push_back(top);
  while (!frames_.empty()) {
    Frame& frame = frames_.back();
    std::uint32_t child = frame.next;
    bool connected = false;
    if (frame.inContent) {
      if (child == kNone) {
        if (frame.node == kNone) {
          frames_.pop_back();
        } else {
          closeContent(frame);
        }
        continue;
      }
      // Content is contained in the clip that shows it, whatever its lanes.
      frame.next = model_.nodes[child].next;
    } else {
      if (child == kNone) {
        frames_.pop_back();
        continue;
      }
      frame.next = frame.onlyFirst ? kNone : model_.nodes[child].next;
      connected = model_.nodes[child].has(kConnected);
      if (frame.onlyConnected && !connected) continue;
    }
    if (auto refusal = enter(child, connected)) return refusal;
  }
  return std::nullopt;
}

std::optional<ConversionFailure> TimelineWalk::enter(std::uint32_t index, bool connected) {
  if (++visits_ > limit_) {
    return ConversionFailure{
        ConversionFailure::Kind::kParse, {}, reason::kTooManyVisits, {std::to_string(limit_)}};
  }
  const Node& node = model_.nodes[index];
  const bool disabled = node.has(kDisabled);
  if (node.has(kCue) && !disabled) {
    ++titles_;
    if (placing_) placeTitle(index, connected);
  }
  Frame frame;
  frame.node = index;
  frame.connected = connected;
  frame.onlyConnected = disabled;
  frame.onlyFirst = node.kind == StoryKind::kAudition;
  frame.next = node.firstChild;
  std::uint32_t first = kNone;
  if (!disabled && content(node, first, frame.compound)) {
    if (openContents_ == kMaxOpenContents) {
      return ConversionFailure{ConversionFailure::Kind::kParse,
                               {},
                               reason::kNestedContents,
                               {std::to_string(kMaxOpenContents)}};
    }
    ++openContents_;
    if (frame.compound != kNone) compoundOpen_[frame.compound] = true;
    frame.inContent = true;
    frame.next = first;
  }
  frames_.push_back(frame);
  return std::nullopt;
}

void TimelineWalk::closeContent(Frame& frame) {
  --openContents_;
  if (frame.compound != kNone) compoundOpen_[frame.compound] = false;
  frame.inContent = false;
  frame.next = model_.nodes[frame.node].firstChild;
}

bool TimelineWalk::content(const Node& node, std::uint32_t& first, std::uint32_t& compound) const {
  if (node.has(kAudioOnly) || node.ref == kNone) return false;
  const Resource& resource = model_.resources[node.ref];
  if (node.kind == StoryKind::kRefClip) {
    // A compound inside itself shows nothing of itself again.
    if (resource.kind != Resource::Kind::kCompound || compoundOpen_[resource.index]) return false;
    compound = resource.index;
    first = model_.compounds[resource.index].firstSpine;
    return true;
  }
  if (node.kind != StoryKind::kMcClip || resource.kind != Resource::Kind::kMulticam ||
      node.item == kNone) {
    return false;
  }
  const Multicam& multicam = model_.multicams[resource.index];
  for (std::uint32_t a = multicam.firstAngle; a != kNone; a = model_.angles[a].next) {
    if (model_.angles[a].id == node.item) {
      first = model_.angles[a].firstChild;
      return true;
    }
  }
  return false;
}

// From the title up to the project's sequence, through the frames of the walk: an item contained
// in its parent maps both ends through it and is cut to its window; a connected one moves with
// its anchor, unscaled and uncut.
void TimelineWalk::placeTitle(std::uint32_t index, bool connected) {
  const Node& title = model_.nodes[index];
  Rational start = title.offset;
  Rational end = title.offset + title.duration;
  if (end <= start) return;
  Rational anchor = title.offset;
  for (std::size_t i = frames_.size() - 1; i >= 1; --i) {
    const Frame& frame = frames_[i];
    const Node& parent = model_.nodes[frame.node];
    const Retime* retime = parent.retime == kNone ? nullptr : &model_.retimes[parent.retime];
    const Rational& factor = retime != nullptr ? retime->factor : Rational(1);
    if (connected) {
      const Rational moved = mapThrough(parent, factor, anchor) - anchor;
      start = start + moved;
      end = end + moved;
    } else {
      if (retime != nullptr && retime->timeMap()) {
        const TimePoint* points = model_.points.data();
        start = inverseTimeMap(points + retime->firstPoint, points + retime->endPoint, start);
        end = inverseTimeMap(points + retime->firstPoint, points + retime->endPoint, end);
        if (end < start) std::swap(start, end);  // played backwards
      }
      start = mapThrough(parent, factor, start);
      end = mapThrough(parent, factor, end);
      if (parent.has(kHasDuration)) {
        start = std::max(start, parent.offset);
        end = std::min(end, parent.offset + parent.duration);
      }
    }
    if (end <= start) return;
    anchor = parent.offset;
    connected = frame.connected;
  }
  // The project's sequence starts the subtitles at its tcStart; nothing shows before it.
  start = std::max(start - model_.timeline.tcStart, Rational(0));
  end = end - model_.timeline.tcStart;
  if (end <= start) return;
  Placement placement;
  placement.startMs = start.roundedMilliseconds();
  placement.endMs = end.roundedMilliseconds();
  if (placement.endMs <= placement.startMs) return;
  placement.start = start;
  placement.text = title.item;
  placement.order = placements_.size();
  placements_.push_back(placement);
}

}  // namespace caplift::timeline
