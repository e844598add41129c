// The controls as the preview and the About window use them.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "platform/qt/large_text_view.h"
#include "platform/qt/view_node.h"
#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

TEST(QtViewsTest, ScrollingReadOnlyMonospacedText) {
  auto window = platform().makeWindow({0, 0, 600, 400}, kTitled);
  auto scroll = platform().makeScrollView({20, 70, 560, 300});
  scroll->setHasVerticalScroller(true);
  auto text = platform().makeTextView(scroll->bounds());
  text->setEditable(false);
  text->setFont({Font::Kind::kMonospacedSystem, 13});
  std::string srt;
  for (int i = 1; i <= 200; ++i) {
    srt += std::to_string(i) + "\n00:00:01,000 --> 00:00:02,000\n<i>字幕</i> & more\n\n";
  }
  text->setString(srt);
  scroll->setDocumentView(text);
  window->contentView()->addSubview(scroll);
  window->makeKeyAndOrderFront();

  auto* view = dynamic_cast<LargeTextView*>(nodeOf(text.get())->widget());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(text->string(), srt) << "plain text, markup-like bits included, comes back unchanged";
  EXPECT_EQ(view->lineCount(), 800u);
  EXPECT_EQ(view->lineText(2), QString::fromUtf8("<i>字幕</i> & more"));
  EXPECT_EQ(view->font().pixelSize(), 13);
  const QFontMetrics metrics(view->font());
  EXPECT_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM"));
  // The text fills the scroll view, whose top is 30 points below the top of the content area.
  EXPECT_EQ(QRect(view->mapTo(widgetOf(window), QPoint(0, 0)), view->size()),
            QRect(20, 30 + menuBarHeight(window), 560, 300));
  EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  const int visible = view->viewport()->height() / view->lineHeight();
  EXPECT_EQ(view->verticalScrollBar()->maximum(), 800 - visible);
  window->orderOut();
}

TEST(QtViewsTest, TextCanBeSelectedAndCopiedButNotEdited) {
  auto text = platform().makeTextView({0, 0, 560, 300});
  text->setEditable(false);
  const std::string srt = "1\n00:00:01,000 --> 00:00:02,000\n字幕 one\n\n2\nlast";
  text->setString(srt);
  auto* view = dynamic_cast<LargeTextView*>(nodeOf(text.get())->widget());
  ASSERT_NE(view, nullptr);
  view->show();

  view->selectAll();
  EXPECT_EQ(view->selectedText().toStdString(), srt);
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), srt);

  view->select({2, 1}, {5, 2});
  EXPECT_EQ(view->selectedText(), QString::fromUtf8("幕 one\n\n2\nla"));
  view->select({2, 3}, {2, 0});  // backwards
  EXPECT_EQ(view->selectedText(), QString::fromUtf8("字幕 "));

  // Dragging across the first two lines, from their very start to past the end of the second.
  const int line = view->lineHeight();
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(0, line / 2));
  QTest::mouseMove(view->viewport(), QPoint(500, line + line / 2));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(500, line + line / 2));
  EXPECT_EQ(view->selectedText(), "1\n00:00:01,000 --> 00:00:02,000");

  // A long line wraps; a point on its second row lands inside it.
  text->setString(std::string(3000, 'x') + "\nend");
  EXPECT_EQ(view->lineCount(), 2u);
  EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  const LargeTextView::Position second = view->positionAt(QPoint(10, line + line / 2));
  EXPECT_EQ(second.line, 0u);
  EXPECT_GT(second.column, 20);
  EXPECT_EQ(view->positionAt(QPoint(10, 100 * line)).line, 1u);

  QTest::keyClicks(view, "typed");
  EXPECT_EQ(text->string(), std::string(3000, 'x') + "\nend");
  view->hide();
}

TEST(QtViewsTest, LabelsShowPlainTextAndLinksAreEscaped) {
  auto label = platform().makeLabel("<b>Caplift</b> v1.0.0");
  label->setFont({Font::Kind::kBoldSystem, 14});
  auto* l = qobject_cast<QLabel*>(nodeOf(label.get())->widget());
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->text(), "<b>Caplift</b> v1.0.0");
  EXPECT_EQ(l->textFormat(), Qt::PlainText);
  EXPECT_TRUE(l->font().bold());
  EXPECT_EQ(l->font().pixelSize(), 14) << "points of the frames, not typographic points";

  auto link = platform().makeTextField({0, 40, 400, 20});
  link->setEditable(false);
  link->setSelectable(true);
  link->setLinkValue("https://example.org/a?b&c", "https://example.org/a?b&c");
  auto* linkLabel = qobject_cast<QLabel*>(nodeOf(link.get())->widget());
  ASSERT_NE(linkLabel, nullptr);
  EXPECT_TRUE(linkLabel->openExternalLinks());
  EXPECT_TRUE(linkLabel->textInteractionFlags() & Qt::LinksAccessibleByMouse);
  EXPECT_FALSE(linkLabel->textInteractionFlags() & Qt::TextEditable);
  EXPECT_NE(linkLabel->text().indexOf("href=\"https://example.org/a?b&amp;c\""), -1);
  EXPECT_EQ(link->stringValue(), "https://example.org/a?b&c");
}

TEST(QtViewsTest, ButtonTitlesShowAmpersands) {
  auto button = platform().makeButton("Save & Close", [] {});
  auto* push = qobject_cast<QPushButton*>(nodeOf(button.get())->widget());
  ASSERT_NE(push, nullptr);
  EXPECT_EQ(push->text(), "Save && Close");
  EXPECT_EQ(button->title(), "Save & Close");
  EXPECT_FALSE(push->autoDefault()) << "Return must press no button";
}

TEST(QtViewsTest, AButtonMayReleaseItsOwnWindow) {
  auto window = platform().makeWindow({0, 0, 200, 100}, kTitled);
  std::weak_ptr<Window> weak = window;
  std::shared_ptr<Window>* holder = &window;
  auto button = platform().makeButton("Done", [holder] {
    (*holder)->orderOut();
    holder->reset();  // the last reference goes while the click is being delivered
  });
  window->contentView()->addSubview(button);
  window->makeKeyAndOrderFront();
  QPointer<QPushButton> push = qobject_cast<QPushButton*>(nodeOf(button.get())->widget());
  button.reset();
  push->click();
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(waitUntil([&] { return push.isNull(); }));
}

}  // namespace
}  // namespace caplift::platform::qt::testing
