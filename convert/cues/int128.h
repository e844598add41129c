#pragma once

namespace caplift {

// GCC and Clang's 128-bit integers; __extension__ keeps -Wpedantic quiet about them.
__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

}  // namespace caplift
