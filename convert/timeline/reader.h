#pragma once

#include <libxml/parser.h>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/cues/roles.h"
#include "convert/document_notes.h"
#include "convert/timeline/model.h"
#include "convert/xml/sax_reader.h"
#include "convert/xml/text_styles.h"

namespace caplift::timeline {

// Builds the Model from the parser's events, in the one streaming pass. Of the projects it keeps
// only the chosen one's timeline: the first project with a sequence, or the first of that name.
class TimelineReader {
 public:
  // `from`: the elements that give cues. With `keepStyles`, the texts come with their runs.
  TimelineReader(std::optional<std::string> project, CueSource from, bool keepStyles = false)
      : wanted_(std::move(project)), titles_(takesTitles(from)), captions_(takesCaptions(from)) {
    if (keepStyles) styles_.emplace();
  }

  // Sets the content callbacks on `sax`.
  static void useCallbacks(xmlSAXHandler& sax);
  // The model, with every reference and conform rate resolved; call once, after the parse.
  Model take();
  // The root element's name and the elements of the cue kind not asked for.
  const DocumentNotes& notes() const { return notes_; }

 private:
  enum class Role : std::uint8_t {
    kOther,
    kNode,      // a kept story element; index: the node
    kTimeline,  // the chosen project's sequence
    kCompound,  // a media resource's sequence; index: in compounds
    kMulticam,  // index: in multicams
    kAngle,     // index: in angles
    kMedia,     // the first definition of its id; index: the symbol
    kResources,
    kProject,    // index: 1 when it may be the chosen one
    kTitleText,  // a text element of a kept title
    kTextStyle,  // a text-style inside one
    kTimeMap,    // the first timeMap of a kept element; index: the retime
  };
  struct Open {
    Role role = Role::kOther;
    std::uint32_t index = kNone;
    std::uint32_t lastChild = kNone;  // the last kept child, to link the next one after it
    bool sawSequence = false;         // kProject: only the first sequence counts
  };
  struct OpenTitle {
    std::uint32_t node;
    std::uint32_t firstPiece;
    std::string name;
    std::string role;
  };

  static void onStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                             const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                             int attributeCount, int defaultedCount, const xmlChar** attributes);
  static void onEndElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                           const xmlChar* uri);
  static void onCharacters(void* context, const xmlChar* characters, int length);

  Open start(void* context, const xmlChar* name, int attributeCount, const xmlChar** attributes);
  void end(void* context, const Open& open);
  Open startStory(StoryKind kind, Open& parent, int attributeCount, const xmlChar** attributes);
  Open startSequence(Open& parent, int attributeCount, const xmlChar** attributes);
  Open startResource(const xmlChar* name, int attributeCount, const xmlChar** attributes);
  Open startMulticam(Open& parent, int attributeCount, const xmlChar** attributes);
  Open startAngle(Open& parent, int attributeCount, const xmlChar** attributes);
  // An mc-source of an mc-clip.
  void chooseAngle(const Open& parent, int attributeCount, const xmlChar** attributes);
  // A conform-rate of a kept element.
  void conform(const Open& parent, int attributeCount, const xmlChar** attributes);
  Open startTimeMap(const Open& parent);
  void addTimePoint(const Open& parent, int attributeCount, const xmlChar** attributes);
  // Links a new child after the parent's last one.
  void link(Open& parent, std::uint32_t child);
  // The index of the node's Retime, made on first use.
  std::uint32_t retimeOf(std::uint32_t node);
  void endTitle();
  std::uint32_t symbol(std::string_view text);

  std::optional<std::string> wanted_;
  bool titles_;
  bool captions_;
  Model model_;
  Open root_;  // the parent of the root element
  DocumentNotes notes_;
  std::vector<Open> open_;
  std::vector<std::uint32_t> formats_;  // of the open sequences and multicams
  std::vector<std::string> projectNames_;
  std::unordered_map<std::string, std::uint32_t> symbols_;
  std::vector<OpenTitle> openCues_;
  std::unordered_map<std::string, std::uint32_t> roles_;  // in CueTexts::roleNames
  std::size_t openTexts_ = 0;
  TextPieces pieces_;
  std::string joined_;
  std::optional<TextStyles> styles_;  // while styles are kept
};

}  // namespace caplift::timeline
