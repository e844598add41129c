#include "app/app_delegate.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QThread>

#include "app/document_files.h"
#include "app/translations.h"
#include "convert/io/input_path.h"
#include "ui/about_window_controller.h"
#include "ui/frames.h"
#include "ui/large_text_view.h"
#include "ui/localized.h"
#include "ui/main_menu_builder.h"

namespace caplift {

namespace {

constexpr const char* kMainWindowTitle = "Caplift\uFF08SRT extractor\uFF09";
constexpr const char* kTimelineSetting = "timelineTiming";
constexpr const char* kFormatSetting = "subtitleFormat";

// The format saved last time, for the name the save dialog proposes.
const SubtitleFormat& lastSavedFormat() {
  const SubtitleFormat* format =
      formatNamed(QSettings().value(kFormatSetting).toString().toStdString());
  return format ? *format : defaultFormat();
}

// Ticks the box for the timeline mode and says which project it placed, or that there is none.
void showPlacement(PreviewWindow& preview, const std::optional<TimelineResult>& placed) {
  const QSignalBlocker quiet(preview.timelineBox);
  preview.timelineBox->setChecked(placed.has_value());
  const auto project = placed ? placed->project : std::nullopt;
  preview.placement->setText(
      !placed ? QString()
      : project
          ? QCoreApplication::translate("Caplift", "Placed on the timeline of “%1”")
                .arg(QString::fromStdString(*project))
          : QCoreApplication::translate("Caplift", "The document has no project with a timeline."));
}

}  // namespace

AppDelegate::AppDelegate(platform::Dialogs& dialogs) : dialogs_(dialogs) {}

void AppDelegate::requireMainThread(const char* entryPoint) const {
  if (QThread::currentThread() != thread()) {
    qFatal("caplift: AppDelegate::%s called off the main thread", entryPoint);
  }
}

void AppDelegate::applicationDidFinishLaunching() {
  requireMainThread("applicationDidFinishLaunching");
  MainMenuBuilder::build(this);

  const QScreen* screen = QGuiApplication::primaryScreen();
  window = std::make_unique<MainWindow>(
      mainWindowContentRect(screen ? std::optional(screen->geometry().size().toSizeF())
                                   : std::nullopt),
      [this] { return !busy(); },
      [this](const QString& path) { openDocument(path.toStdString()); });
  window->setWindowTitle(QString::fromUtf8(kMainWindowTitle));
  window->show();
  window->activateWindow();

  auto* button = new QPushButton(localized("choose"), window->centralWidget());
  button->setGeometry(fromBottomLeft(100, 80, 200, 40, 200).toRect());
  connect(button, &QPushButton::clicked, this, &AppDelegate::openFile);
  button->show();

  if (auto path = std::exchange(fileToOpenAtLaunch_, std::nullopt)) applicationOpenFile(*path);
}

void AppDelegate::applicationOpenFile(const QString& path) {
  requireMainThread("applicationOpenFile");
  // Absolute and clean, as the open dialog gives it, so that an alert names the file in full. A
  // relative path counts from where the application was started.
  const QString chosen = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  if (!window) {
    fileToOpenAtLaunch_ = chosen;
    return;
  }
  // From the event loop, once the main window is on screen. A dialog still waiting for the user
  // keeps it out: it would start a second road inside the first.
  QMetaObject::invokeMethod(
      this,
      [this, chosen = chosen.toStdString()] {
        if (!QApplication::activeModalWidget()) openDocument(chosen);
      },
      Qt::QueuedConnection);
}

void AppDelegate::openFile() {
  requireMainThread("openFile");
  if (auto chosen = dialogs_.chooseFile(localized("choose"))) openDocument(chosen->toStdString());
}

void AppDelegate::openDocument(const std::string& inputPath) {
  requireMainThread("openDocument");
  // A drop while a preview is open would start a second road inside the first.
  if (busy()) return;
  Converted converted = convert(inputPath, QSettings().value(kTimelineSetting).toBool());
  // A document that the timeline mode cannot place still opens as it stands, the box free to use.
  if (converted.failure && converted.placed) converted = convert(inputPath, false);
  if (converted.failure) return showFailure(*converted.failure);
  // What the preview shows, shared by the answers that replace it and save it.
  auto shown = std::make_shared<Converted>(std::move(converted));
  showSRTPreviewDialog(
      shown->srt,
      [this, inputPath, shown](bool save) { save ? saveSRT(inputPath, *shown) : openFile(); },
      [this, inputPath, shown](PreviewWindow& preview) {
        showPlacement(preview, shown->placed);
        // The other mode converts the same file again and replaces the text; the box keeps to
        // the text shown.
        connect(preview.timelineBox, &QCheckBox::toggled, this, [=, this, &preview](bool timeline) {
          Converted again = convert(inputPath, timeline);
          if (again.failure) showFailure(*again.failure);
          if (!again.failure) {
            *shown = std::move(again);
            preview.textView->setText(shown->srt);
            QSettings().setValue(kTimelineSetting, timeline);
          }
          showPlacement(preview, shown->placed);
        });
      });
}

// Reading and converting a large export takes a while: the cursor says so at once, and a
// progress bar once it has taken half a second.
AppDelegate::Converted AppDelegate::convert(const std::string& inputPath, bool timeline) {
  auto placed = timeline ? std::optional(TimelineResult()) : std::nullopt;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  converting_ = true;
  ExtractResult result = convertChosenDocument(
      inputPath, previewWindow ? static_cast<QWidget*>(previewWindow.get()) : window.get(),
      placed ? &*placed : nullptr);
  converting_ = false;
  QApplication::restoreOverrideCursor();
  return {std::make_shared<const std::string>(std::move(result.srt)), placed, result.failure};
}

void AppDelegate::showFailure(const ConversionFailure& failure) {
  const char* key =
      failure.kind == ConversionFailure::Kind::kParse ? "file_parse_fail" : "file_read_fail";
  showAlert(localized(key) + ": " + localizedDescription(failure));
}

void AppDelegate::showSRTPreviewDialog(std::shared_ptr<const std::string> srtText,
                                       PreviewCompletion completion,
                                       const std::function<void(PreviewWindow&)>& prepare) {
  // Held here as well as in the field, which an answer empties while the loop still runs.
  auto preview = std::make_shared<PreviewWindow>(std::move(srtText), window.get());
  const auto connectButton = [this](QPushButton* button,
                                    void (AppDelegate::*action)(QPushButton*)) {
    connect(button, &QPushButton::clicked, this,
            [this, button, action] { (this->*action)(button); });
  };
  connectButton(preview->saveButton, &AppDelegate::handleOKButton);
  connectButton(preview->cancelButton, &AppDelegate::handleCancelButton);
  connectButton(preview->backButton, &AppDelegate::handleBackButton);
  preview->willClose = [this](PreviewWindow* closing) { windowWillClose(closing); };
  prepare(*preview);
  previewWindow = preview;
  previewCompletion = std::move(completion);
  ++runningPreviewLoops_;
  preview->exec();
  --runningPreviewLoops_;
}

void AppDelegate::handleOKButton(QPushButton* /*sender*/) {
  requireMainThread("handleOKButton");
  answerPreview(true);
}

void AppDelegate::handleBackButton(QPushButton* /*sender*/) {
  requireMainThread("handleBackButton");
  answerPreview(false);
}

// The answer is queued, so that it runs after the modal loop and showSRTPreviewDialog have
// returned: a back then starts its new open dialog from the event loop, not inside the preview.
void AppDelegate::answerPreview(bool save) {
  if (!previewWindow) return;
  previewWindow->done(QDialog::Accepted);  // the loop ends once this action has returned
  previewWindow->hide();
  PreviewCompletion completion = std::move(previewCompletion);
  previewWindow.reset();
  previewCompletion = nullptr;
  runAfterPreviewLoops([completion = std::move(completion), save] {
    if (completion) completion(save);
  });
}

// Qt may deliver a queued call while a loop that has been told to end still unwinds; a call that
// comes that early waits for the next turn of the event loop.
void AppDelegate::runAfterPreviewLoops(std::function<void()> work) {
  QMetaObject::invokeMethod(
      this,
      [this, work = std::move(work)]() mutable {
        if (runningPreviewLoops_ > 0) return runAfterPreviewLoops(std::move(work));
        work();
      },
      Qt::QueuedConnection);
}

void AppDelegate::handleCancelButton(QPushButton* /*sender*/) {
  requireMainThread("handleCancelButton");
  if (!previewWindow) return;
  previewWindow->done(QDialog::Rejected);
  previewWindow->hide();
  previewWindow.reset();
  previewCompletion = nullptr;
}

void AppDelegate::saveSRT(const std::string& inputPath, const Converted& shown) {
  const auto target = dialogs_.chooseTarget(
      localized("save_file"),
      QString::fromStdString(proposedSubtitleName(inputPath, lastSavedFormat().extension)));
  if (!target) return;
  // The name decides the format: anything but a known extension is SubRip, as shown.
  const std::string path = target->toStdString();
  const SubtitleFormat* named = formatOfPath(path);
  const SubtitleFormat& format = named ? *named : defaultFormat();
  std::optional<ConversionFailure> failure;
  if (&format == &defaultFormat()) {
    failure = writeSubtitles(path, *shown.srt, inputPath);
  } else {
    ConversionOptions options;
    options.format = &format;
    if (shown.placed) options.timeline.emplace();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    converting_ = true;
    failure = exportSubtitles(path, inputPath, options, window.get());
    converting_ = false;
    QApplication::restoreOverrideCursor();
  }
  if (!failure) {
    QSettings().setValue(kFormatSetting,
                         QString::fromUtf8(format.name.data(), qsizetype(format.name.size())));
  }
  if (failure) {
    showAlert(localized("save_failed") + ": " + localizedDescription(*failure));
  } else {
    // A name may hold control characters; the alert shows them as replacement characters.
    showAlert(localized("save_finish") + "\n" + QString::fromStdString(displayable(path)));
  }
}

void AppDelegate::showAlert(const QString& message) {
  dialogs_.runAlert(localized("alert_notify"), message, localized("ok"));
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() {
  requireMainThread("applicationShouldTerminateAfterLastWindowClosed");
  return true;
}

void AppDelegate::showAboutWindow() {
  requireMainThread("showAboutWindow");
  AboutWindowController::show();
}

// Only the preview window reports here. Its fields are taken out before the completion runs: the
// completion starts openFile, whose next preview fills them again.
void AppDelegate::windowWillClose(QWidget* closing) {
  requireMainThread("windowWillClose");
  if (!previewWindow || closing == nullptr || closing != previewWindow.get()) return;
  previewWindow->done(QDialog::Rejected);
  // Kept until this callback returns: Qt is still closing it.
  const std::shared_ptr<PreviewWindow> closingWindow = std::exchange(previewWindow, nullptr);
  PreviewCompletion completion = std::exchange(previewCompletion, nullptr);
  if (completion) completion(false);
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event) {
  if (watched != qApp || event->type() != QEvent::FileOpen) {
    return QObject::eventFilter(watched, event);
  }
  applicationOpenFile(static_cast<QFileOpenEvent*>(event)->file());
  return true;
}

int runApplication(AppDelegate& delegate) {
  QApplication::setQuitOnLastWindowClosed(false);
  qApp->installEventFilter(&delegate);
  const auto connection =
      QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &delegate, [&delegate] {
        if (delegate.applicationShouldTerminateAfterLastWindowClosed()) {
          QCoreApplication::exit(0);
        }
      });
  QMetaObject::invokeMethod(&delegate, &AppDelegate::applicationDidFinishLaunching,
                            Qt::QueuedConnection);
  const int status = QApplication::exec();
  QObject::disconnect(connection);
  return status;
}

}  // namespace caplift
