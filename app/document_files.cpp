#include "app/document_files.h"

#include "convert/file_source.h"
#include "convert/input_path.h"
#include "convert/memory_io.h"
#include "convert/output_file.h"

namespace caplift {

ExtractResult convertChosenDocument(const std::string& chosenPath) {
  ExtractResult result;
  FileSource source;
  result.failure = source.open(chosenPath);
  if (result.failure) return result;
  StringSink sink;
  result.failure = convertStream(source, sink);
  if (result.failure) {
    result.failure->file = source.name();
  } else {
    result.srt = std::move(sink.text());
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

}  // namespace caplift
