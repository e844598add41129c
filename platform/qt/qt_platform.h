#pragma once

#include <memory>

#include "platform/platform.h"

namespace caplift::platform {

// The Qt 6 Widgets backend. Makes the application object, so call it once, on the main thread,
// before anything else; `argc` and `argv` must outlive the platform.
std::unique_ptr<Platform> makeQtPlatform(int& argc, char** argv);

}  // namespace caplift::platform
