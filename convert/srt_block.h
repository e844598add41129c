#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/int128.h"
#include "convert/time_value.h"

namespace caplift {

// Appends one SubRip cue: its number, "start --> end", the text, and the empty line that ends it.
void appendCueBlock(std::string& out, std::size_t number, Seconds start, Seconds end,
                    std::string_view text);
// The same with its times in whole milliseconds.
void appendCueBlockInMilliseconds(std::string& out, std::size_t number, UInt128 start, UInt128 end,
                                  std::string_view text);

}  // namespace caplift
