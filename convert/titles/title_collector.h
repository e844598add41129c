#pragma once

#include <libxml/parser.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "convert/cues/cue_stream.h"
#include "convert/document_notes.h"
#include "convert/titles/time_value.h"
#include "convert/xml/sax_reader.h"
#include "convert/xml/text_styles.h"

namespace caplift {

// The default mode: follows the parser's events and hands one cue per "title" element, in
// start-tag order, to a CueStream as soon as the outermost open title ends. It keeps only what
// the open titles need:
// the string values of the text-style elements inside their text elements, and the cues of titles
// nested in a title until the outermost one ends.
class TitleCollector {
 public:
  // `from`: the elements that give cues.
  TitleCollector(CueStream& cues, CueSource from)
      : stream_(cues), titles_(takesTitles(from)), captions_(takesCaptions(from)) {
    if (cues.wantsStyles()) styles_.emplace();
  }

  // Sets the content callbacks on `sax` (the other callbacks stay as they are).
  static void useCallbacks(xmlSAXHandler& sax);
  // Looks up the names it watches for in the parser's dictionary, from which libxml2 hands out
  // every element and attribute name: each is then recognised by its address alone. Without a
  // dictionary the names are compared as text.
  void useDictionary(xmlDictPtr dictionary);

  bool writeFailed() const { return stream_.failed(); }
  const DocumentNotes& notes() const { return notes_; }

 private:
  enum class Kind : std::uint8_t { kOther, kTitle, kText, kTextStyle };  // kTitle: any cue element
  // What an open element says about the cues inside it; each has a count of the open elements
  // that say it.
  enum Mark : std::uint8_t {
    kInCompound,  // compound or multicam content, or a clip that holds others
    kInAudition,
    kDisabled,
    kOnLane,
    kInProject,
    kMarks
  };

  // One open element. Its "offset" and "start" are kept for a title among its children.
  struct Frame {
    Kind kind = Kind::kOther;
    bool hasOffset = false;
    bool hasStart = false;
    bool timesRead = false;  // offsetSeconds and startSeconds hold the two values read
    std::uint8_t marks = 0;  // bits by Mark
    std::uint32_t text = 0;  // kText: index in texts_
    std::string offset;
    std::string start;
    Seconds offsetSeconds = 0;
    Seconds startSeconds = 0;
  };
  // A text element inside a title: the text-style pieces that started within it.
  struct TextRange {
    std::uint32_t firstPiece;
    std::uint32_t endPiece;
  };
  struct OpenTitle {
    std::uint32_t cue;        // index in cues_
    std::uint32_t firstText;  // first index in texts_ of the title's own text elements
  };
  struct Pending {
    Seconds start = 0;
    Seconds end = 0;
    std::string name;
    std::string text;
    std::string role;
    CueKind kind = CueKind::kTitle;
    std::vector<TextRun> runs;  // only while styles are kept
  };

  static void onStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                             const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                             int attributeCount, int defaultedCount, const xmlChar** attributes);
  static void onEndElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                           const xmlChar* uri);
  static void onCharacters(void* context, const xmlChar* characters, int length);

  // The names it watches for, as the parser's dictionary holds them.
  struct Names {
    const xmlChar* title = nullptr;
    const xmlChar* caption = nullptr;
    const xmlChar* role = nullptr;
    const xmlChar* text = nullptr;
    const xmlChar* textStyle = nullptr;
    const xmlChar* offset = nullptr;
    const xmlChar* start = nullptr;
    const xmlChar* duration = nullptr;
    const xmlChar* name = nullptr;
    const xmlChar* lane = nullptr;
    const xmlChar* enabled = nullptr;
    const xmlChar* media = nullptr;
    const xmlChar* refClip = nullptr;
    const xmlChar* mcClip = nullptr;
    const xmlChar* syncClip = nullptr;
    const xmlChar* audition = nullptr;
    const xmlChar* project = nullptr;
    const xmlChar* sequence = nullptr;
  };

  bool is(const xmlChar* name, const xmlChar* Names::*wanted, const char* text) const;
  void startElement(const xmlChar* localName, bool hasNamespace, int attributeCount,
                    const xmlChar** attributes, Frame& frame);
  void startTitle(CueKind kind, int attributeCount, const xmlChar** attributes);
  // Notes what an element other than a cue's says about the cues inside it.
  std::uint8_t markOf(const xmlChar* localName, int attributeCount, const xmlChar** attributes);
  void noteCue(bool disabled);
  void endTitle();
  void flushCues(void* context);

  CueStream& stream_;
  bool titles_;
  bool captions_;
  Names names_;
  bool interned_ = false;
  std::vector<Frame> frames_;  // open elements; frames_[0, depth_) are in use
  std::size_t depth_ = 0;
  std::vector<OpenTitle> open_;
  std::vector<TextRange> texts_;
  std::size_t openTexts_ = 0;
  TextPieces pieces_;
  std::vector<Pending> cues_;  // cues_[0, cueCount_) wait for the outermost open title
  std::uint32_t cueCount_ = 0;
  std::string joined_;
  std::optional<TextStyles> styles_;  // while styles are kept
  DocumentNotes notes_;
  std::uint32_t marked_[kMarks] = {};  // open elements by Mark
  bool sawTimeline_ = false;           // the first project's sequence
};

}  // namespace caplift
