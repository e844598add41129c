#include "app/document_files.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "app/progress_source.h"
#include "convert/file_source.h"
#include "convert/input_path.h"
#include "convert/memory_io.h"
#include "convert/output_file.h"

namespace caplift {

ExtractResult convertChosenDocument(const std::string& chosenPath, QWidget* progressOver,
                                    TimelineResult* placed) {
  ExtractResult result;
  FileSource file;
  result.failure = file.open(chosenPath);
  if (result.failure) return result;
  // 0 when unknown.
  const auto size = std::uint64_t(QFileInfo(QString::fromStdString(file.name())).size());
  StringSink sink;
  // SubRip text is a fraction of its document. Room reserved and never used is never touched,
  // while a large text grown by doubling is copied again and again.
  sink.text().reserve(size / 4);
  std::optional<ProgressSource> progress;
  if (progressOver != nullptr) {
    const QString name = QFileInfo(QString::fromStdString(chosenPath)).fileName();
    progress.emplace(file, size,
                     QCoreApplication::translate("Caplift", "Converting “%1”…").arg(name),
                     progressOver);
  }
  ByteSource& source = progress ? static_cast<ByteSource&>(*progress) : file;
  result.failure = placed ? convertTimeline(source, sink, {}, placed) : convertStream(source, sink);
  if (result.failure) result.failure->file = file.name();
  if (!result.failure) result.srt = std::move(sink.text());
  return result;
}

std::optional<ConversionFailure> writeSubtitles(const std::string& target, std::string_view text,
                                                const std::string& chosenPath) {
  OutputFile output(target);
  const DocumentPath document = documentPathFor(chosenPath);
  const std::optional<FileId> input =
      document.ok() ? fileIdOf(document.path) : std::optional<FileId>();
  if (auto failure = output.open(input)) return failure;
  if (!output.write(text)) return output.failure();
  return output.commit();
}

}  // namespace caplift
