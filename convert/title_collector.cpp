#include "convert/title_collector.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "convert/cue_text.h"
#include "convert/document_parser.h"
#include "convert/srt_block.h"

namespace caplift {

namespace {

// Output goes to the sink in pieces of about this size.
constexpr std::size_t kFlushSize = 1 << 16;

TitleCollector& collectorOf(void* context) {
  return *static_cast<TitleCollector*>(DocumentParser::handlerOf(context));
}

// The value of the attribute `name` without namespace, among libxml2's five pointers per
// attribute (local name, prefix, URI, value, end of value). Defaulted attributes from the DTD
// are not part of the element as written and are left out.
std::optional<std::string_view> attribute(const char* name, int count, const xmlChar** attributes) {
  for (int i = 0; i < count; ++i) {
    const xmlChar** a = attributes + 5 * i;
    if (a[1] == nullptr && std::strcmp(reinterpret_cast<const char*>(a[0]), name) == 0) {
      return std::string_view(reinterpret_cast<const char*>(a[3]),
                              static_cast<std::size_t>(a[4] - a[3]));
    }
  }
  return std::nullopt;
}

Seconds timeOf(bool present, const std::string& value) {
  return getTime(present ? std::optional<std::string_view>(value) : std::nullopt);
}

}  // namespace

void TitleCollector::useCallbacks(xmlSAXHandler& sax) {
  sax.startElementNs = onStartElement;
  sax.endElementNs = onEndElement;
  sax.characters = onCharacters;
  sax.cdataBlock = onCharacters;
  sax.ignorableWhitespace = onCharacters;
  // Nothing else of the content matters; libxml2's DTD callbacks stay for the entities.
  sax.startElement = nullptr;
  sax.endElement = nullptr;
  sax.reference = nullptr;
  sax.processingInstruction = nullptr;
  sax.comment = nullptr;
  sax.setDocumentLocator = nullptr;
}

void TitleCollector::onStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                                    const xmlChar* uri, int, const xmlChar**, int attributeCount,
                                    int defaultedCount, const xmlChar** attributes) {
  TitleCollector& self = collectorOf(context);
  if (self.depth_ == self.frames_.size()) self.frames_.emplace_back();
  Frame& frame = self.frames_[self.depth_];
  self.startElement(reinterpret_cast<const char*>(localName), prefix != nullptr || uri != nullptr,
                    attributeCount - defaultedCount, attributes, frame);
  ++self.depth_;
}

void TitleCollector::startElement(const char* localName, bool hasNamespace, int attributeCount,
                                  const xmlChar** attributes, Frame& frame) {
  frame.kind = Kind::kOther;
  if (!hasNamespace) {
    if (std::strcmp(localName, "title") == 0) {
      startTitle(attributeCount, attributes);
      frame.kind = Kind::kTitle;
    } else if (std::strcmp(localName, "text") == 0) {
      if (!titles_.empty()) {
        frame.kind = Kind::kText;
        frame.text = static_cast<std::uint32_t>(texts_.size());
        texts_.push_back({pieceCount_, pieceCount_});
        ++openTexts_;
      }
    } else if (std::strcmp(localName, "text-style") == 0) {
      if (openTexts_ != 0) {
        frame.kind = Kind::kTextStyle;
        if (pieceCount_ == pieces_.size()) pieces_.emplace_back();
        pieces_[pieceCount_].clear();
        openPieces_.push_back(pieceCount_++);
      }
    }
  }
  // Kept for a title among the children.
  const auto offset = attribute("offset", attributeCount, attributes);
  const auto start = attribute("start", attributeCount, attributes);
  frame.hasOffset = offset.has_value();
  frame.hasStart = start.has_value();
  if (offset) frame.offset.assign(*offset);
  if (start) frame.start.assign(*start);
}

void TitleCollector::startTitle(int attributeCount, const xmlChar** attributes) {
  if (cueCount_ == cues_.size()) cues_.emplace_back();
  Cue& cue = cues_[cueCount_];
  titles_.push_back({cueCount_++, static_cast<std::uint32_t>(texts_.size())});

  Seconds parentOffset = 0;
  Seconds parentStart = 0;
  if (depth_ != 0) {
    const Frame& parent = frames_[depth_ - 1];
    parentOffset = timeOf(parent.hasOffset, parent.offset);
    parentStart = timeOf(parent.hasStart, parent.start);
  }
  const Seconds offset = getTime(attribute("offset", attributeCount, attributes));
  const Seconds duration = getTime(attribute("duration", attributeCount, attributes));
  cue.start = (offset + parentOffset) - parentStart;
  cue.end = duration + cue.start;
  cue.name.assign(attribute("name", attributeCount, attributes).value_or(std::string_view()));
}

void TitleCollector::onEndElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  TitleCollector& self = collectorOf(context);
  const Frame& frame = self.frames_[--self.depth_];
  switch (frame.kind) {
    case Kind::kOther:
      break;
    case Kind::kTitle:
      self.endTitle();
      if (self.titles_.empty()) {
        self.flushCues();
        if (self.out_.size() >= kFlushSize && !self.writeOut(context)) return;
      }
      break;
    case Kind::kText:
      self.texts_[frame.text].endPiece = self.pieceCount_;
      --self.openTexts_;
      break;
    case Kind::kTextStyle:
      self.openPieces_.pop_back();
      break;
  }
}

void TitleCollector::onCharacters(void* context, const xmlChar* characters, int length) {
  TitleCollector& self = collectorOf(context);
  for (std::uint32_t piece : self.openPieces_) {
    self.pieces_[piece].append(reinterpret_cast<const char*>(characters),
                               static_cast<std::size_t>(length));
  }
}

void TitleCollector::endTitle() {
  const OpenTitle title = titles_.back();
  titles_.pop_back();
  // Every text element that started inside the title lies inside it and has ended.
  joined_.clear();
  for (std::size_t t = title.firstText; t < texts_.size(); ++t) {
    for (std::uint32_t p = texts_[t].firstPiece; p < texts_[t].endPiece; ++p) joined_ += pieces_[p];
  }
  Cue& cue = cues_[title.cue];
  const std::string_view collected = trimWhiteSpace(joined_);
  cue.text.clear();
  appendWithoutBlankLines(cue.text, collected.empty() ? std::string_view(cue.name) : collected);
}

void TitleCollector::flushCues() {
  for (std::uint32_t i = 0; i < cueCount_; ++i) {
    const Cue& cue = cues_[i];
    appendCueBlock(out_, ++cueNumber_, cue.start, cue.end, cue.text);
  }
  cueCount_ = 0;
  texts_.clear();
  pieceCount_ = 0;
}

bool TitleCollector::writeOut(void* context) {
  if (writeFailed_) return false;
  if (!out_.empty() && !sink_.write(out_)) {
    writeFailed_ = true;
    if (context != nullptr) DocumentParser::stop(context);
    return false;
  }
  out_.clear();
  return true;
}

bool TitleCollector::finish() {
  if (writeFailed_) return false;
  return writeOut(nullptr);
}

}  // namespace caplift
