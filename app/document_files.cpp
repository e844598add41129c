#include "app/document_files.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "app/progress_source.h"
#include "convert/io/convert_input.h"
#include "convert/io/input_path.h"
#include "convert/io/memory_io.h"
#include "convert/io/output_file.h"

namespace caplift {

namespace {

// A progress bar over `parent` for a conversion of the file the user chose.
SourceWatcher progressOver(QWidget* parent, const std::string& chosenPath) {
  if (parent == nullptr) return {};
  return [parent, chosenPath](FileSource& file) -> std::unique_ptr<ByteSource> {
    // 0 when unknown.
    const auto size = std::uint64_t(QFileInfo(QString::fromStdString(file.name())).size());
    const QString name = QFileInfo(QString::fromStdString(chosenPath)).fileName();
    return std::make_unique<ProgressSource>(
        file, size, QCoreApplication::translate("Caplift", "Converting “%1”…").arg(name), parent);
  };
}

}  // namespace

ExtractResult convertChosenDocument(const std::string& chosenPath, QWidget* progressParent,
                                    TimelineResult* placed) {
  return convertChosenDocument(chosenPath, progressParent, placed, {}, nullptr);
}

ExtractResult convertChosenDocument(const std::string& chosenPath, QWidget* progressParent,
                                    TimelineResult* placed, const CueChoice& choice,
                                    ConversionReport* found) {
  StringOutput output;
  // SubRip text is a fraction of its document. Room reserved and never used is never touched,
  // while a large text grown by doubling is copied again and again.
  const DocumentPath document = documentPathFor(chosenPath);
  if (document.ok()) {
    output.text().reserve(std::uint64_t(QFileInfo(QString::fromStdString(document.path)).size()) /
                          4);
  }
  ConversionOptions options;
  if (placed != nullptr) options.timeline.emplace().project = choice.project;
  options.source = choice.source;
  options.droppedRoles = choice.droppedRoles;
  options.styles = choice.styles;
  ConversionReport report;
  ExtractResult result;
  result.failure = convertInput(chosenPath, output, options, &report,
                                progressOver(progressParent, chosenPath), true);
  if (result.ok()) {
    result.srt = std::move(output.text());
    if (placed != nullptr) *placed = report.placed;
    if (found != nullptr) *found = std::move(report);
  }
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

std::optional<ConversionFailure> exportSubtitles(const std::string& target,
                                                 const std::string& chosenPath,
                                                 const ConversionOptions& options,
                                                 QWidget* progressParent) {
  OutputFile output(target);
  return convertInput(chosenPath, output, options, nullptr,
                      progressOver(progressParent, chosenPath), true);
}

}  // namespace caplift
