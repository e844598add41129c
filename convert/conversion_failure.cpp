#include "convert/conversion_failure.h"

#include <cstring>

#include "convert/xml/utf8_validator.h"

namespace caplift {

std::string ConversionFailure::reasonText() const {
  std::string text;
  for (const char* p = reason; *p != '\0'; ++p) {
    const auto index = static_cast<std::size_t>(p[1] - '1');
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9' && index < arguments.size()) {
      text += arguments[index];
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

std::string ConversionFailure::description() const {
  return displayable(file.empty() ? reasonText() : file + ": " + reasonText());
}

ConversionFailure systemFailure(ConversionFailure::Kind kind, std::string file, int error) {
  return {kind, std::move(file), reason::kSystem, {std::strerror(error)}};
}

std::string displayable(std::string_view bytes) {
  constexpr const char* kReplacement = "\xEF\xBF\xBD";
  std::string shown;
  while (!bytes.empty()) {
    Utf8Validator validator;
    const bool valid = validator.feed(bytes) && validator.finish();
    const std::size_t good = valid ? bytes.size() : validator.errorOffset();
    for (char c : bytes.substr(0, good)) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte == 0x7F) {
        shown += kReplacement;
      } else {
        shown += c;
      }
    }
    if (valid) break;
    shown += kReplacement;
    bytes.remove_prefix(good + 1);
  }
  return shown;
}

}  // namespace caplift
