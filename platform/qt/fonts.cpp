#include "platform/qt/fonts.h"

#include <QFontDatabase>

namespace caplift::platform::qt {

QFont qtFont(const Font& font) {
  QFont result = QFontDatabase::systemFont(font.kind == Font::Kind::kMonospacedSystem
                                               ? QFontDatabase::FixedFont
                                               : QFontDatabase::GeneralFont);
  if (font.kind == Font::Kind::kBoldSystem) result.setBold(true);
  if (font.pointSize > 0) result.setPointSizeF(font.pointSize);
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
