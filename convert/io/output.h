#pragma once

#include <optional>

#include "convert/conversion_failure.h"
#include "convert/io/file_source.h"
#include "convert/io/text_sink.h"

namespace caplift {

// Where the text of one conversion goes. A failure names the destination.
class Output : public TextSink {
 public:
  // Prepares the destination, refusing it when it is the file `input` itself.
  virtual std::optional<ConversionFailure> open(const std::optional<FileId>& input) = 0;
  // Makes the whole text visible; nothing is, without it.
  virtual std::optional<ConversionFailure> commit() = 0;
  // Why open(), write() or commit() failed.
  virtual const std::optional<ConversionFailure>& failure() const = 0;
};

}  // namespace caplift
