#include "convert/time_value.h"

#include <locale.h>
#include <stdlib.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif

#include <cstring>
#include <string>

namespace caplift {

namespace {

// Made once: numerals are read with "." as the decimal point whatever the process locale says.
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

bool isLeadingSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads [begin, end) as one strtod numeral that must fill the whole text. `*end` must be '\0'.
bool readNumeral(const char* begin, const char* end, double& value) {
  if (begin == end || isLeadingSpace(*begin)) return false;
  char* stop = nullptr;
  value = strtod_l(begin, &stop, cLocale());
  return stop == end;
}

// `text` has no "s" left and is NUL-terminated at text[size]; pieces are cut in place.
Seconds readTimeText(char* text, std::size_t size) {
  char* const end = text + size;
  char* slash = static_cast<char*>(std::memchr(text, '/', size));
  if (slash == nullptr) {
    double value = 0;
    return readNumeral(text, end, value) ? value : 0;
  }
  double numbers[2] = {0, 0};
  int count = 0;
  char* piece = text;
  while (piece <= end) {
    char* pieceEnd =
        static_cast<char*>(std::memchr(piece, '/', static_cast<std::size_t>(end - piece)));
    if (pieceEnd == nullptr) pieceEnd = end;
    *pieceEnd = '\0';
    double value = 0;
    if (pieceEnd != piece && readNumeral(piece, pieceEnd, value)) {
      if (count == 2) return 0;  // a third number: no fraction
      numbers[count++] = value;
    }
    piece = pieceEnd + 1;
  }
  return count == 2 ? numbers[0] / numbers[1] : 0;
}

}  // namespace

Seconds getTime(std::optional<std::string_view> value) {
  if (!value) return 0;
  // Called for every title: short values are copied to the stack, without the letter "s".
  char small[128];
  std::string large;
  char* text = small;
  if (value->size() >= sizeof small) {
    large.resize(value->size());
    text = large.data();
  }
  std::size_t size = 0;
  for (char c : *value) {
    if (c != 's') text[size++] = c;
  }
  text[size] = '\0';
  return readTimeText(text, size);
}

}  // namespace caplift
