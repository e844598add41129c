// The pure translations between the interface's terms and Qt's.
#include <gtest/gtest.h>
#include <QLocale>

#include "platform/qt/geometry_mapping.h"
#include "platform/qt/menu_bar.h"
#include "platform/qt/translations.h"
#include "platform/qt/window_flags.h"

namespace caplift::platform::qt {
namespace {

TEST(GeometryMapping, FlipsYAgainstTheContainerHeight) {
  struct Case {
    Rect rect;
    double height;
    QRect qt;
  };
  const Case cases[] = {
      {{520, 350, 400, 200}, 900, QRect(520, 350, 400, 200)},
      {{760, 440, 400, 200}, 1080, QRect(760, 440, 400, 200)},
      {{100, 80, 200, 40}, 200, QRect(100, 80, 200, 40)},
      {{20, 70, 560, 300}, 400, QRect(20, 30, 560, 300)},
      {{380, 20, 100, 30}, 400, QRect(380, 350, 100, 30)},
      {{150, 130, 100, 100}, 250, QRect(150, 20, 100, 100)},
      {{-40, 0, 400, 200}, 300, QRect(-40, 100, 400, 200)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toQtRect(c.rect, c.height), c.qt) << c.rect.x << "," << c.rect.y;
    EXPECT_EQ(fromQtRect(c.qt, c.height), c.rect);
  }
}

TEST(WindowFlags, FollowTheStyleMask) {
  using F = Qt::WindowType;
  struct Case {
    unsigned mask;
    unsigned disabled;
    Qt::WindowFlags present;
    Qt::WindowFlags absent;
  };
  const Case cases[] = {
      // The main window: titled, closable, miniaturizable.
      {kTitled | kClosable | kMiniaturizable, 0,
       F::WindowTitleHint | F::WindowCloseButtonHint | F::WindowMinimizeButtonHint,
       F::WindowMaximizeButtonHint},
      // The preview: titled only, so no close button at all.
      {kTitled, 0, F::WindowTitleHint | F::CustomizeWindowHint,
       F::WindowCloseButtonHint | F::WindowMinimizeButtonHint | F::WindowMaximizeButtonHint},
      // The About window: its disabled minimise button is left out.
      {kTitled | kClosable | kMiniaturizable, kMiniaturizable, F::WindowCloseButtonHint,
       F::WindowMinimizeButtonHint},
      {kTitled | kResizable, 0, F::WindowMaximizeButtonHint, F::WindowCloseButtonHint},
      {0, 0, F::FramelessWindowHint, F::WindowTitleHint},
  };
  for (const Case& c : cases) {
    const Qt::WindowFlags flags = windowFlagsFor(c.mask, c.disabled, WindowLevel::kNormal);
    EXPECT_EQ(flags & c.present, c.present) << "mask " << c.mask;
    EXPECT_FALSE(flags & c.absent) << "mask " << c.mask;
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);
  }
  // Raised levels make dialogs, which window managers keep above their parent window.
  for (const WindowLevel level : {WindowLevel::kFloating, WindowLevel::kModalPanel}) {
    const Qt::WindowFlags flags = windowFlagsFor(kTitled, 0, level);
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  }
}

TEST(KeyEquivalents, UseTheCommandModifier) {
  EXPECT_EQ(keySequenceFor("q"), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(keySequenceFor("Q"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q));
  EXPECT_EQ(keySequenceFor("o"), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_TRUE(keySequenceFor("").isEmpty());
}

TEST(TranslationChoice, FirstLanguageWithATableWins) {
  struct Case {
    QStringList languages;
    QString table;
  };
  const Case cases[] = {
      {{"ja-JP"}, "ja"},
      {{"ja"}, "ja"},
      {{"zh-Hans-CN", "zh-CN"}, "zh_CN"},
      {{"zh-CN"}, "zh_CN"},
      {{"zh-SG"}, "zh_CN"},
      {{"zh"}, "zh_CN"},
      {{"zh-Hant-TW", "ja-JP"}, "ja"},
      {{"zh-TW"}, "en"},
      {{"de-DE", "ja-JP", "en-US"}, "ja"},
      {{"en-GB", "ja-JP"}, "en"},
      {{"fr-FR"}, "en"},
      {{}, "en"},
      {{"C"}, "en"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(translationFor(c.languages), c.table) << c.languages.join(',').toStdString();
  }
}

}  // namespace
}  // namespace caplift::platform::qt
