#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QIcon>

namespace caplift::platform::qt {

inline constexpr const char* kApplicationName = "Caplift";

// The values an application bundle's information dictionary would give.
std::optional<std::string> infoDictionaryValue(std::string_view key);

// A resource of the application ("icon_128", "png"), as a path that Qt's file classes read.
std::optional<std::string> resourcePath(std::string_view name, std::string_view type);

// The running program's file name.
std::string runningProcessName();

// The application icon in every size that the resources hold.
QIcon applicationIcon();

}  // namespace caplift::platform::qt
