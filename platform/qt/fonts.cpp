#include "platform/qt/fonts.h"

#include <QFontDatabase>

namespace caplift::platform::qt {

QFont qtFont(const Font& font) {
  QFont result = QFontDatabase::systemFont(font.kind == Font::Kind::kMonospacedSystem
                                               ? QFontDatabase::FixedFont
                                               : QFontDatabase::GeneralFont);
  if (font.kind == Font::Kind::kBoldSystem) result.setBold(true);
  // Frames are in points, which Qt lays out as device-independent pixels; sizes follow the same
  // unit so that text fits the frames made for it (a 14-point line in a 20-point label).
  if (font.pointSize > 0) result.setPixelSize(qRound(font.pointSize));
  return result;
}

Qt::Alignment qtAlignment(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::kLeft:
      return Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter;
    case TextAlignment::kCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case TextAlignment::kRight:
      return Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    case TextAlignment::kNatural:
      break;
  }
  // Natural: the start of the line in the user's writing direction.
  return Qt::AlignLeading | Qt::AlignVCenter;
}

}  // namespace caplift::platform::qt
