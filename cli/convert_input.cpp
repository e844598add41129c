#include "cli/convert_input.h"

#include "convert/file_source.h"

namespace caplift {

std::optional<ConversionFailure> convertInput(const std::string& input, Output& output) {
  FileSource source;
  std::optional<ConversionFailure> failure;
  if (input == kStandardStreamArgument) {
    source.useStandardInput();
  } else {
    failure = source.open(input);
  }
  if (!failure) failure = output.open(source.id());
  if (failure) return failure;
  failure = convertStream(source, output);
  if (!failure) return output.commit();
  if (failure->kind == ConversionFailure::Kind::kWrite) return output.failure();
  failure->file = source.name();
  return failure;
}

}  // namespace caplift
