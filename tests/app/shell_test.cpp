// The preview's answers and keys, its text view, the progress of a slow read, and the
// translations.
#include <thread>

#include <gtest/gtest.h>
#include <QClipboard>
#include <QCloseEvent>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include "app/progress_source.h"
#include "app/translations.h"
#include "convert/io/memory_io.h"
#include "tests/app/harness.h"
#include "ui/large_text_view.h"
#include "ui/localized.h"

namespace caplift::testing {
namespace {

// The preview answers only through its buttons: not Return or Escape, nor the window manager's
// close, which would drop the answer the workflow waits for. Qt may deliver a posted event while a
// loop that was told to end still runs; the answer must wait until the loop, and the call that
// opened the preview, have returned.
TEST(Preview, AnswersThroughItsButtonsOnlyAfterTheDialogHasReturned) {
  for (const bool save : {true, false}) {
    LaunchedApp launched;
    std::vector<std::string> log;
    launched.dialogs.answers = {"cancel"};
    launched.dialogs.afterAnswer = [&] {
      log.push_back(launched.app.previewWindow || launched.app.previewCompletion ? "fields set"
                                                                                 : "asked");
    };
    QTimer::singleShot(0, [&] {
      PreviewWindow* preview = shownPreview();
      for (QWidget* target : {(QWidget*)preview, (QWidget*)preview->saveButton}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
          QTest::keyClick(target, key);
        }
      }
      QCloseEvent close;  // as the window manager's close arrives
      QCoreApplication::sendEvent(preview->windowHandle(), &close);
      EXPECT_TRUE(preview->isVisible() && launched.app.previewCompletion);
      (save ? preview->saveButton : preview->backButton)->click();
      QCoreApplication::sendPostedEvents();
      log.push_back("clicked");
    });
    launched.app.openDocument(dataFile("two_titles.fcpxml").toStdString());
    log.push_back("returned");
    ASSERT_TRUE(waitUntil([&] { return log.size() >= 3; }));
    EXPECT_EQ(log, (std::vector<std::string>{"clicked", "returned", "asked"}));
    EXPECT_EQ(launched.dialogs.transcript.at(0),
              save ? "save: save_file | two_titles.srt" : "open: choose");
  }
}

// Only the preview's own window answers, once, as back; the answer opens the next preview, so the
// fields are empty before it runs and keep what it puts there.
TEST(Preview, WindowWillCloseAnswersBackOnceForThePreviewWindowOnly) {
  LaunchedApp launched;
  AppDelegate& app = launched.app;
  QWidget stray;
  app.windowWillClose(&stray);
  auto closing = std::make_shared<PreviewWindow>(std::make_shared<std::string>(), nullptr);
  auto next = std::make_shared<PreviewWindow>(std::make_shared<std::string>(), nullptr);
  app.previewWindow = closing;
  std::vector<bool> answers;
  app.previewCompletion = [&](bool save) {
    answers.push_back(save);
    EXPECT_FALSE(app.previewWindow || app.previewCompletion);
    app.previewWindow = next;
    app.previewCompletion = [](bool) {};
  };
  for (QWidget* other :
       {&stray, (QWidget*)app.window.get(), (QWidget*)next.get(), (QWidget*)nullptr}) {
    app.windowWillClose(other);
  }
  EXPECT_EQ(std::pair(app.previewWindow, answers.size()), std::pair(closing, size_t(0)));
  app.windowWillClose(closing.get());
  EXPECT_EQ(answers, std::vector<bool>{false});
  EXPECT_TRUE(app.previewWindow == next && app.previewCompletion);
  app.previewWindow.reset();
  app.previewCompletion = nullptr;
}

TEST(Preview, TheTextViewSelectsAndCopiesAnyTextButIsNotEdited) {
  LargeTextView view;
  view.resize(560, 300);
  view.setText(
      std::make_shared<std::string>("1\n00:00:01,000 --> 00:00:02,000\n字幕 one\n\n2\nlast"));
  view.show();
  EXPECT_EQ(std::pair(view.lineCount(), view.lineText(2)),
            std::pair(size_t(6), QString("字幕 one")));
  view.selectAll();
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), view.text());
  view.select({2, 1}, {5, 2});
  EXPECT_EQ(view.selectedText(), "幕 one\n\n2\nla");
  view.select({2, 3}, {2, 0});  // backwards
  EXPECT_EQ(view.selectedText(), "字幕 ");
  // Dragging across the first two lines, from their start to past the end of the second.
  const int line = view.lineHeight();
  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(0, line / 2));
  QTest::mouseMove(view.viewport(), QPoint(500, line + line / 2));
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(500, line + line / 2));
  EXPECT_EQ(view.selectedText(), "1\n00:00:01,000 --> 00:00:02,000");
  // A long line wraps; a point on its second row lands inside it.
  view.setText(std::make_shared<std::string>(std::string(3000, 'x') + "\nend"));
  EXPECT_GT(view.positionAt(QPoint(10, line + line / 2)).column, 20);
  EXPECT_EQ(view.positionAt(QPoint(10, 100 * line)).line, 1u);
  QTest::keyClicks(&view, "typed");
  EXPECT_EQ(view.text(), std::string(3000, 'x') + "\nend");
}

// The progress bars on screen, as "value/maximum".
QStringList shownProgress() {
  QStringList bars;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* bar = qobject_cast<QProgressDialog*>(window);
    if (bar && bar->isVisible()) bars += QString("%1/%2").arg(bar->value()).arg(bar->maximum());
  }
  return bars;
}

// A slow read shows how far it has come and keeps the event loop turning; the bar goes with it.
TEST(Progress, ShownWhileASlowReadGoesOnAndGoneAfterwards) {
  const std::string bytes(4000, ' ');
  struct SlowSource final : MemorySource {
    using MemorySource::MemorySource;
    long read(char* buffer, std::size_t capacity) override {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      shown += shownProgress();
      // Nothing below the bar takes clicks or keys while it shows.
      blocking = blocking || qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      return MemorySource::read(buffer, capacity);
    }
    QStringList shown;
    bool blocking = false;
  } slow(bytes);
  bool queuedWorkRan = false;
  QTimer::singleShot(0, [&] { queuedWorkRan = true; });
  std::optional<ProgressSource> progress(std::in_place, slow, 4000, "", nullptr, 0);
  for (char buffer[100]; progress->read(buffer, sizeof buffer) > 0;) {
  }
  EXPECT_TRUE(queuedWorkRan);
  EXPECT_EQ(slow.shown.value(0), "25/1000");  // after the first 100 bytes
  EXPECT_TRUE(slow.blocking);
  progress.reset();
  EXPECT_EQ(shownProgress(), QStringList());
}

// Every text of the application and every reason a failure gives, with the same arguments, in each
// language it ships; English keeps the reasons as they are.
TEST(Translations, CoverEveryKeyAndReason) {
  for (const char* locale : {"en", "ja", "zh_CN"}) {
    const auto translation = loadTranslation(QLocale(locale));
    QCoreApplication::installTranslator(translation.get());
    for (const char* key : kLocalizedKeys) {
      EXPECT_NE(localized(key), key) << locale << " lacks " << key;
    }
    const auto translated = [&](const char* context, const char* source) {
      const QString text = QCoreApplication::translate(context, source);
      EXPECT_EQ(text == source, locale == std::string("en")) << locale << ": " << source;
      for (const char* argument : {"%1", "%2", "%3"}) {
        EXPECT_EQ(text.contains(argument), QString(source).contains(argument))
            << text.toStdString();
      }
    };
    for (const char* source :
         {reason::kParser, reason::kNotWellFormed, reason::kTooDeep, reason::kExpansion,
          reason::kExternalInAttribute, reason::kNul, reason::kInvalidUtf8, reason::kCutUtf8,
          reason::kNotABundle, reason::kNotRegular, reason::kOutputIsInput, reason::kOutputFailed,
          reason::kClosed, reason::kTemporaryFile, reason::kOutOfMemory}) {
      translated("Failure", source);
    }
    for (const char* source : {reason::kTooManyVisits, reason::kNestedContents,
                               reason::kTimeOverflow, reason::kNoProject, reason::kNoSuchProject}) {
      translated("Failure", source);
    }
    for (const char* source :
         {"Drop to convert", "Converting “%1”…", "Timeline timing", "Keep styling",
          "Placed on the timeline of “%1”", "The document has no project with a timeline.",
          "Titles", "Captions", "Titles and captions", "Roles (%1 of %2)",
          "This document has no titles, but it has captions (%1): choose Captions above to show "
          "them.",
          "This document has no captions, but it has titles (%1): choose Titles above to show "
          "them."}) {
      translated("Caplift", source);
    }
  }
  EXPECT_EQ(localized("cancel"), "cancel");  // each table went with its translator
}

}  // namespace
}  // namespace caplift::testing
