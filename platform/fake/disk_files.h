#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

// Whole-file text on the real file system, for the fake platform: tests of the workflow see real
// files, real permission errors and real leftovers.
namespace caplift::platform::fake {

// The offset of the first byte that does not belong to well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF), or nothing when all of `bytes` is well-formed.
std::optional<std::size_t> firstInvalidUtf8Byte(std::string_view bytes);

// Reads the whole file; fails on any I/O error and on bytes that are not UTF-8, with a
// description that names the file (and the byte offset).
ReadResult readUtf8FromDisk(const std::string& path);

// Writes through a temporary file in the target's folder that then replaces the target, so the
// target is replaced whole or left as it was; the temporary file never stays behind.
WriteResult writeAtomicallyToDisk(const std::string& path, std::string_view utf8);

}  // namespace caplift::platform::fake
