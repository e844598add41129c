#include "convert/srt_block.h"

#include <charconv>

#include "convert/timestamp.h"

namespace caplift {

namespace {

template <class Time, void (*appendStamp)(std::string&, Time)>
void appendBlock(std::string& out, std::size_t number, Time start, Time end,
                 std::string_view text) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
  out += '\n';
  appendStamp(out, start);
  out += " --> ";
  appendStamp(out, end);
  out += '\n';
  out.append(text);
  out += "\n\n";
}

}  // namespace

void appendCueBlock(std::string& out, std::size_t number, Seconds start, Seconds end,
                    std::string_view text) {
  appendBlock<Seconds, appendHMS>(out, number, start, end, text);
}

void appendCueBlockInMilliseconds(std::string& out, std::size_t number, UInt128 start, UInt128 end,
                                  std::string_view text) {
  appendBlock<UInt128, appendMillisecondsHMS>(out, number, start, end, text);
}

}  // namespace caplift
