#include "convert/srt_block.h"

#include <charconv>

#include "convert/timestamp.h"

namespace caplift {

void appendCueBlock(std::string& out, std::size_t number, Seconds start, Seconds end,
                    std::string_view text) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
  out += '\n';
  appendHMS(out, start);
  out += " --> ";
  appendHMS(out, end);
  out += '\n';
  out.append(text);
  out += "\n\n";
}

}  // namespace caplift
