// Whole-file UTF-8 reading and atomic writing, with the failures a user can run into.
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/file_io.h"

namespace caplift::platform::qt {
namespace {

constexpr auto npos = std::string::npos;

std::string pathIn(const QTemporaryDir& dir, const char* name) {
  return dir.filePath(QString::fromUtf8(name)).toStdString();
}

void writeBytes(const std::string& path, std::string_view bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), qint64(bytes.size()));
}

std::string contentOf(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

QStringList entriesOf(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(Utf8Validation, FindsTheFirstBadByte) {
  struct Case {
    std::string bytes;
    std::optional<std::size_t> offset;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"plain ascii\n", std::nullopt},
      {"caf\xC3\xA9 \xE5\xAD\x97\xE5\xB9\x95 \xF0\x9F\x8E\xAC", std::nullopt},
      {"\xEF\xBB\xBF<x/>", std::nullopt},  // a byte-order mark is well-formed
      {"ab\xFF", 2},                       // never a UTF-8 byte
      {"a\x80", 1},                        // a continuation byte without a lead
      {"\xC0\xAF", 0},                     // overlong '/'
      {"\xE0\x80\xAF", 0},                 // overlong three-byte form
      {"\xED\xA0\x80", 0},                 // a UTF-16 surrogate
      {"\xF4\x90\x80\x80", 0},             // past U+10FFFF
      {"ok \xE5\xAD", 3},                  // cut short at the end
      {"\xE5\x41\x42", 0},                 // a lead without its continuation
      {"Latin-1 caf\xE9 text", 11},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(firstInvalidUtf8Offset(c.bytes), c.offset) << c.bytes;
  }
  // ASCII is skipped a word at a time: a bad byte must be found wherever it falls in a word.
  for (std::size_t at = 0; at < 40; ++at) {
    std::string bytes(48, 'a');
    bytes[at] = '\xFF';
    EXPECT_EQ(firstInvalidUtf8Offset(bytes), at) << at;
    std::string afterCharacter = "\xC3\xA9" + std::string(48, 'b');
    afterCharacter[2 + at] = '\x80';
    EXPECT_EQ(firstInvalidUtf8Offset(afterCharacter), 2 + at) << at;
  }
}

TEST(ReadUtf8File, ReadsAWholeFile) {
  QTemporaryDir dir;
  const std::string path = pathIn(dir, "titles.fcpxml");
  const std::string text = "<fcpxml>\xE5\xAD\x97\xE5\xB9\x95</fcpxml>\n" + std::string(100000, 'x');
  writeBytes(path, text);
  const ReadResult result = readUtf8File(path);
  ASSERT_TRUE(result.text.has_value()) << result.errorDescription;
  EXPECT_EQ(*result.text, text);
  writeBytes(path, "");
  EXPECT_EQ(readUtf8File(path).text, std::string());
}

// Failures of the application's own reads and saves (a file it may not read, a read-only folder,
// a folder in the way, ...) are tested end to end with these functions in tests/failures.
TEST(ReadUtf8File, FailsWithADescriptionThatNamesTheFile) {
  QTemporaryDir dir;
  const std::string latin1 = pathIn(dir, "latin1.fcpxml");
  writeBytes(latin1, "<title>caf\xE9</title>");
  const std::string folder = pathIn(dir, "Project.fcpxmld");
  QDir().mkpath(QString::fromStdString(folder));
  const std::string fifo = pathIn(dir, "pipe.fcpxml");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, const char*> cases[] = {
      {latin1, "offset 10"}, {folder, "folder"}, {fifo, "not a regular file"}};
  for (const auto& [path, mentions] : cases) {
    const ReadResult result = readUtf8File(path);
    EXPECT_FALSE(result.text.has_value()) << path;
    EXPECT_NE(result.errorDescription.find(path), npos) << result.errorDescription;
    EXPECT_NE(result.errorDescription.find(mentions), npos) << result.errorDescription;
  }
}

TEST(WriteFileAtomically, ReplacesAnExistingFileWhole) {
  QTemporaryDir dir;
  const std::string path = pathIn(dir, "Project 1.srt");
  writeBytes(path, std::string(5000, 'o'));
  const std::string srt = "1\n00:00:00,000 --> 00:00:01,000\n\xE5\xAD\x97\xE5\xB9\x95\n\n";
  const WriteResult result = writeFileAtomically(path, srt);
  ASSERT_TRUE(result.ok) << result.errorDescription;
  EXPECT_EQ(contentOf(path), srt);
  EXPECT_EQ(entriesOf(dir), QStringList{"Project 1.srt"});
}

}  // namespace
}  // namespace caplift::platform::qt
