#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace caplift {

// Writes all of `data` to `fd`, retrying after interruptions and short writes. Returns 0 or the
// errno of the failure (EPIPE included: the caller ignores SIGPIPE and reports it).
int writeAll(int fd, std::string_view data);

// Reads up to `capacity` bytes, retrying after interruptions. Returns the count, 0 at the end, or
// -1 with errno set.
long readSome(int fd, char* buffer, std::size_t capacity);

// The system's description of an errno value ("No such file or directory").
std::string errorText(int error);

}  // namespace caplift
