#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace caplift {

// Why a document could not be read, converted or written. Its description names the file once and
// says once what went wrong: "in.fcpxml: line 3, column 5: Opening and ending tag mismatch: a
// line 2 and b". The reason is one of the English templates in `reason`, whose %1, %2, ... the
// arguments fill: the application shows it translated (context "Failure") with the same
// arguments. The system's error texts and the XML parser's messages come as arguments, unchanged.
struct ConversionFailure {
  enum class Kind {
    kRead,           // the input could not be read, or holds no document
    kNotUtf8,        // the input is not valid UTF-8
    kParse,          // the document is not well-formed XML, or the parser policy refused it
    kWrite,          // the output could not be written
    kOutputIsInput,  // the output is the input file itself: refused before anything is written
  };
  Kind kind = Kind::kParse;
  std::string file;  // the bytes of the path concerned; empty when the caller names no file
  const char* reason = "";
  std::vector<std::string> arguments;

  // The reason with the arguments in place of %1, %2, ...
  std::string reasonText() const;
  // "<file>: <reason>", or the reason alone without a file; one line, with U+FFFD in place of
  // each byte that is not UTF-8 and of each control character.
  std::string description() const;
};

// Marks a text for lupdate (as QT_TRANSLATE_NOOP, see resources/CMakeLists.txt) in code without Qt.
#define CAPLIFT_TRANSLATE_NOOP(context, text) text

// The reasons, in English. The application translates these templates.
namespace reason {
inline constexpr const char* kSystem = "%1";  // the system's description of an errno value
inline constexpr const char* kParser = CAPLIFT_TRANSLATE_NOOP("Failure", "line %1, column %2: %3");
inline constexpr const char* kNotWellFormed =
    CAPLIFT_TRANSLATE_NOOP("Failure", "line %1, column %2: the document is not well-formed");
inline constexpr const char* kTooDeep = CAPLIFT_TRANSLATE_NOOP(
    "Failure", "line %1, column %2: the document is nested too deeply (at most %3 levels)");
inline constexpr const char* kExpansion = CAPLIFT_TRANSLATE_NOOP(
    "Failure", "line %1, column %2: entities expand to more than ten times the document's size");
inline constexpr const char* kExternalInAttribute = CAPLIFT_TRANSLATE_NOOP(
    "Failure", "line %1, column %2: an attribute value refers to the external entity '%3'");
inline constexpr const char* kNul =
    CAPLIFT_TRANSLATE_NOOP("Failure", "a NUL byte at byte offset %1, which XML does not allow");
inline constexpr const char* kInvalidUtf8 =
    CAPLIFT_TRANSLATE_NOOP("Failure", "not valid UTF-8: invalid byte sequence at byte offset %1");
inline constexpr const char* kCutUtf8 = CAPLIFT_TRANSLATE_NOOP(
    "Failure", "not valid UTF-8: the text ends inside a character that starts at byte offset %1");
inline constexpr const char* kNotABundle =
    CAPLIFT_TRANSLATE_NOOP("Failure", "a folder without Info.fcpxml, so not an FCPXML bundle");
inline constexpr const char* kNotRegular = CAPLIFT_TRANSLATE_NOOP("Failure", "not a regular file");
inline constexpr const char* kOutputIsInput =
    CAPLIFT_TRANSLATE_NOOP("Failure", "is the input file itself");
inline constexpr const char* kOutputFailed =
    CAPLIFT_TRANSLATE_NOOP("Failure", "the output could not be written");
inline constexpr const char* kClosed = CAPLIFT_TRANSLATE_NOOP("Failure", "is closed");
inline constexpr const char* kTemporaryFile =
    CAPLIFT_TRANSLATE_NOOP("Failure", "temporary file in %1: %2");
inline constexpr const char* kOutOfMemory = CAPLIFT_TRANSLATE_NOOP("Failure", "out of memory");
inline constexpr const char* kTooManyVisits = CAPLIFT_TRANSLATE_NOOP(
    "Failure",
    "placing the titles would visit more than %1 elements: compound or multicam clips use each "
    "other too often");
inline constexpr const char* kNestedContents =
    CAPLIFT_TRANSLATE_NOOP("Failure", "compound or multicam clips are nested more than %1 deep");
inline constexpr const char* kTimeOverflow =
    CAPLIFT_TRANSLATE_NOOP("Failure", "a time is too large to compute exactly");
inline constexpr const char* kNoProject =
    CAPLIFT_TRANSLATE_NOOP("Failure", "the document has no project with a timeline");
inline constexpr const char* kNoSuchProject =
    CAPLIFT_TRANSLATE_NOOP("Failure", "no project named \"%1\"; the document has %2");
}  // namespace reason

// A failure that the system reports with errno value `error`.
ConversionFailure systemFailure(ConversionFailure::Kind kind, std::string file, int error);

// `bytes` as one line of UTF-8 text: U+FFFD in place of each byte that is not part of a valid
// UTF-8 character and of each control character.
std::string displayable(std::string_view bytes);

}  // namespace caplift
