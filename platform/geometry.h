#pragma once

// Rectangles in points, origin at the bottom-left, y growing upwards. A window's rectangle is its
// content area in screen coordinates; a view's rectangle is in its parent's coordinates.
namespace caplift::platform {

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  friend bool operator==(const Rect&, const Rect&) = default;
};

// Window style mask bits.
enum StyleMask : unsigned {
  kTitled = 1,
  kClosable = 2,
  kMiniaturizable = 4,
  kResizable = 8,
};

// Window levels; higher levels stay above lower ones.
enum class WindowLevel : int {
  kNormal = 0,
  kFloating = 3,
  kModalPanel = 8,
};

enum class TextAlignment { kNatural, kLeft, kCenter, kRight };

struct Font {
  enum class Kind { kSystem, kBoldSystem, kMonospacedSystem };
  Kind kind = Kind::kSystem;
  double pointSize = 0;  // 0: the platform's default size for the kind

  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace caplift::platform
