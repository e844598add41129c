#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace caplift::platform::qt {

// The offset of the first byte that does not belong to well-formed UTF-8 (overlong forms,
// surrogates and code points above U+10FFFF included); nothing when all of it is well-formed.
std::optional<std::size_t> firstInvalidUtf8Offset(std::string_view bytes);

// Reads a regular file whole as UTF-8. Never opens anything but a regular file, so a FIFO or a
// device cannot block the caller.
ReadResult readUtf8File(const std::string& path);

// Writes through a temporary file in the target's folder that then replaces the target, so the
// target is either the new text or what it was before; the temporary file never stays behind.
WriteResult writeFileAtomically(const std::string& path, std::string_view utf8);

}  // namespace caplift::platform::qt
