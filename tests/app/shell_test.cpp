// The windows and the menu as built: frames, window controls, keys, and the preview's answers.
#include <thread>

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/progress_source.h"
#include "app/translations.h"
#include "convert/memory_io.h"
#include "tests/app/harness.h"
#include "ui/about_window_controller.h"
#include "ui/large_text_view.h"
#include "ui/localized.h"
#include "ui/main_menu_builder.h"

namespace caplift::testing {
namespace {

// The frame offers exactly these buttons, the window cannot be resized, and its content area is
// `size`, centred on the screen unless `centred` is false.
void expectWindow(const QWidget& window, Qt::WindowFlags buttons, QSize size, bool centred = true) {
  const Qt::WindowFlags all =
      Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
  EXPECT_EQ(window.windowFlags() & all, buttons) << window.windowTitle().toStdString();
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_EQ(window.size(), size);
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  if (centred) {
    EXPECT_LE((window.geometry().center() - screenCentre).manhattanLength(), 1);
  }
}

TEST(MainWindow, ContentCentresOnAScreenOfTheMainScreensSize) {
  const std::pair<std::optional<QSizeF>, QRectF> cases[] = {
      {QSizeF(1440, 900), {520, 350, 400, 200}},
      {QSizeF(1920, 1080), {760, 440, 400, 200}},
      {QSizeF(300, 600), {-50, 200, 400, 200}},     // narrow: a negative x, as computed
      {QSizeF(1367, 770), {483.5, 285, 400, 200}},  // not rounded
      {std::nullopt, {200, 200, 400, 200}}};
  for (const auto& [screen, content] : cases) EXPECT_EQ(mainWindowContentRect(screen), content);
}

TEST(MainWindow, MenuFirstThenTheWindowShownBeforeItsButton) {
  struct ShowWatch : QObject {
    QString seen;
    bool eventFilter(QObject* object, QEvent* event) override {
      if (event->type() == QEvent::Show && qobject_cast<QMainWindow*>(object) && seen.isEmpty()) {
        seen = QString("menu %1, button %2")
                   .arg(MainMenuBuilder::installedMenuBar() != nullptr)
                   .arg(object->findChild<QPushButton*>() != nullptr);
      }
      return false;
    }
  } watch;
  qApp->installEventFilter(&watch);
  LaunchedApp launched;
  qApp->removeEventFilter(&watch);
  EXPECT_EQ(watch.seen, "menu 1, button 0");

  MainWindow& window = *launched.app.window;
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Caplift（SRT extractor）"));
  QMenuBar* bar = MainMenuBuilder::installedMenuBar();
  ASSERT_NE(bar, nullptr);
  expectWindow(window, Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint,
               QSize(400, 200 + bar->height()), false);
  // The content area where it was computed, the menu bar above it, the button in its middle.
  QWidget* content = window.centralWidget();
  EXPECT_EQ(QRect(content->mapToGlobal(QPoint()), content->size()),
            mainWindowContentRect(QGuiApplication::primaryScreen()->geometry().size()).toRect());
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 400, content->y()));
  EXPECT_EQ(launched.chooseButton()->text(), "choose");
  EXPECT_EQ(launched.chooseButton()->geometry(), QRect(100, 80, 200, 40));

  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), "Caplift");
  const QList<QAction*> items = bar->actions()[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(std::tuple(items[0]->text(), items[0]->menuRole(), items[0]->shortcut()),
            std::tuple(QString("about"), QAction::AboutRole, QKeySequence()));
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(std::tuple(items[2]->text(), items[2]->menuRole(), items[2]->shortcut()),
            std::tuple(QString("Quit app_tests"), QAction::QuitRole, QKeySequence("Ctrl+Q")));
  items[0]->trigger();
  items[0]->trigger();
  EXPECT_EQ(shownWindowsTitled("about").size(), 2) << "each About is a new window";
  for (QWidget* about : shownWindowsTitled("about")) about->close();
}

TEST(About, IconNameCreditAndLinkAtTheirFramesAboveTheApplication) {
  const std::tuple<const char*, const char*, const char*> names[] = {
      {"Caplift", "1.0.0", "Caplift v1.0.0"},
      {"", "2.3", "app_tests v2.3"},  // no name: the program's
      {"Foo", "", "Foo v1.0"}};
  for (const auto& [name, version, line] : names) {
    QApplication::setApplicationName(name);
    QApplication::setApplicationVersion(version);
    AboutWindowController::show();
    ASSERT_EQ(shownWindowsTitled("about").size(), 1);
    QWidget* about = shownWindowsTitled("about")[0];
    expectWindow(*about, Qt::WindowCloseButtonHint, QSize(400, 250));
    EXPECT_TRUE(about->windowFlags() & Qt::WindowStaysOnTopHint);
    const QList<QLabel*> labels = about->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 4);
    const std::pair<QRect, QString> expected[] = {
        {{150, 20, 100, 100}, ""},
        {{0, 130, 400, 20}, line},
        {{0, 160, 400, 20}, "Developed by Velmo"},
        {{0, 190, 400, 20}, "<a href=\"https://caplift.app\">https://caplift.app</a>"}};
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(std::pair(labels[i]->geometry(), labels[i]->text()), expected[i]);
    EXPECT_FALSE(labels[0]->pixmap().isNull());
    EXPECT_EQ(std::pair(labels[1]->font().bold(), labels[1]->font().pixelSize()),
              std::pair(true, 14));
    EXPECT_TRUE(labels[3]->openExternalLinks());
    about->close();
  }
  QApplication::setApplicationName("Caplift");
  QApplication::setApplicationVersion("1.0.0");
}

TEST(Preview, FramesFontAndNoWayOutButItsButtons) {
  LaunchedApp launched;
  bool inspected = false;
  QTimer::singleShot(0, [&] {
    PreviewWindow* preview = shownPreview();
    ASSERT_NE(preview, nullptr);
    inspected = true;
    EXPECT_TRUE(preview->isModal());
    EXPECT_EQ(preview->parentWidget(), launched.app.window.get());  // kept above the main window
    EXPECT_EQ(preview->windowTitle(), "preview");
    expectWindow(*preview, {}, QSize(600, 400));
    EXPECT_EQ(preview->textView->geometry(), QRect(20, 30, 560, 300));
    // The timeline box and the line below the text take room that nothing else uses.
    for (QWidget* added : {(QWidget*)preview->timelineBox, (QWidget*)preview->placement})
      for (QWidget* other : preview->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(other == added || !added->geometry().intersects(other->geometry()));
    const std::pair<QPushButton*, QRect> buttons[] = {{preview->saveButton, {380, 350, 100, 30}},
                                                      {preview->cancelButton, {20, 350, 100, 30}},
                                                      {preview->backButton, {490, 350, 100, 30}}};
    for (const auto& [button, frame] : buttons) {
      EXPECT_EQ(std::tuple(button->geometry(), button->isDefault(), button->autoDefault()),
                std::tuple(frame, false, false));
    }
    const QFontMetrics metrics(preview->textView->font());
    EXPECT_EQ(preview->textView->font().pixelSize(), 13);
    EXPECT_EQ(metrics.horizontalAdvance("0 -->"), metrics.horizontalAdvance("MMMMM"));
    // Neither Return nor Escape answers, nor the window manager's close.
    for (QWidget* target : {(QWidget*)preview, (QWidget*)preview->saveButton}) {
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(target, key);
      }
    }
    QCloseEvent close;  // as the window manager's close arrives
    QCoreApplication::sendEvent(preview->windowHandle(), &close);
    EXPECT_TRUE(preview->isVisible() && launched.app.previewCompletion);
    preview->cancelButton->click();
  });
  launched.app.openDocument(dataFile("two_titles.fcpxml").toStdString());
  EXPECT_TRUE(inspected);
  EXPECT_TRUE(launched.dialogs.transcript.empty());
}

// Qt may deliver a posted event while a loop that was told to end still runs; the answer must
// wait until the loop, and the call that opened the preview, have returned.
TEST(Preview, SaveAndBackAnswerOnlyAfterTheDialogHasReturned) {
  for (const bool save : {true, false}) {
    LaunchedApp launched;
    std::vector<std::string> log;
    launched.dialogs.answers = {"cancel"};
    launched.dialogs.afterAnswer = [&] {
      log.push_back(launched.app.previewWindow || launched.app.previewCompletion ? "fields set"
                                                                                 : "asked");
    };
    QTimer::singleShot(0, [&] {
      (save ? shownPreview()->saveButton : shownPreview()->backButton)->click();
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
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* bar = qobject_cast<QProgressDialog*>(window); bar && bar->isVisible())
      bars += QString("%1/%2").arg(bar->value()).arg(bar->maximum());
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
      return MemorySource::read(buffer, capacity);
    }
    QStringList shown;
  } slow(bytes);
  bool queuedWorkRan = false;
  QTimer::singleShot(0, [&] { queuedWorkRan = true; });
  std::optional<ProgressSource> progress(std::in_place, slow, 4000, "", nullptr, 0);
  for (char buffer[100]; progress->read(buffer, sizeof buffer) > 0;) continue;
  EXPECT_TRUE(queuedWorkRan);
  EXPECT_EQ(slow.shown.value(0), "25/1000");  // after the first 100 bytes
  progress.reset();
  EXPECT_EQ(shownProgress(), QStringList());
}

TEST(Translations, FollowTheLanguageAndCoverEveryKey) {
  const std::tuple<const char*, const char*, const char*> texts[] = {
      {"en_US", "choose", "Choose FCPXML File…"},
      {"zh_TW", "cancel", "Cancel"},  // no table for Traditional Chinese: English
      {"de_DE", "cancel", "Cancel"}};
  for (const auto& [locale, key, text] : texts) {
    const auto translation = loadTranslation(QLocale(locale));
    QCoreApplication::installTranslator(translation.get());
    EXPECT_EQ(localized(key), QString::fromUtf8(text)) << locale;
  }
  for (const char* locale : {"en", "ja", "zh_CN"}) {
    const auto translation = loadTranslation(QLocale(locale));
    QCoreApplication::installTranslator(translation.get());
    for (const char* key :
         {"choose", "file_read_fail", "file_parse_fail", "save_file", "save_finish", "save_failed",
          "alert_notify", "ok", "preview", "save_ok", "cancel", "back", "about", "no_titles"}) {
      EXPECT_NE(localized(key), key) << locale << " lacks " << key;
    }
    // Every reason a failure gives and the shell's own texts, with the same arguments; English
    // keeps them as they are.
    const std::pair<const char*, std::vector<const char*>> texts[] = {
        {"Failure",
         {reason::kParser,
          reason::kNotWellFormed,
          reason::kTooDeep,
          reason::kExpansion,
          reason::kExternalInAttribute,
          reason::kNul,
          reason::kInvalidUtf8,
          reason::kCutUtf8,
          reason::kNotABundle,
          reason::kNotRegular,
          reason::kOutputIsInput,
          reason::kOutputFailed,
          reason::kClosed,
          reason::kTemporaryFile,
          reason::kOutOfMemory,
          reason::kTooManyVisits,
          reason::kNestedContents,
          reason::kTimeOverflow,
          reason::kNoProject,
          reason::kNoSuchProject}},
        {"Caplift",
         {"Drop to convert", "Converting “%1”…", "Timeline timing",
          "Placed on the timeline of “%1”", "The document has no project with a timeline."}}};
    for (const auto& [context, sources] : texts) {
      for (const char* source : sources) {
        const QString text = QCoreApplication::translate(context, source);
        EXPECT_EQ(text == source, locale == std::string("en")) << locale << ": " << source;
        for (const char* argument : {"%1", "%2", "%3"}) {
          EXPECT_EQ(text.contains(argument), QString(source).contains(argument))
              << text.toStdString();
        }
      }
    }
  }
  EXPECT_EQ(localized("cancel"), "cancel");  // each table went with its translator
}

TEST(AppThreads, EntryPointsAbortOffTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ScriptedDialogs dialogs;
  AppDelegate app(dialogs);
  EXPECT_DEATH(std::thread([&] { app.openFile(); }).join(), "openFile called off the main thread");
  EXPECT_DEATH(std::thread([&] { app.handleOKButton(nullptr); }).join(), "handleOKButton called");
}

}  // namespace
}  // namespace caplift::testing
