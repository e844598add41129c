#include "app/app_delegate.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QPushButton>
#include <QScreen>
#include <QThread>

#include "app/document_files.h"
#include "app/translations.h"
#include "convert/input_path.h"
#include "ui/about_window_controller.h"
#include "ui/frames.h"
#include "ui/localized.h"
#include "ui/main_menu_builder.h"

namespace caplift {

namespace {

constexpr const char* kMainWindowTitle = "Caplift\uFF08SRT extractor\uFF09";

QString qstr(const std::string& utf8) {
  return QString::fromStdString(utf8);
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
  ExtractResult result = convert(inputPath);
  if (!result.ok()) {
    const bool parse = result.failure->kind == ConversionFailure::Kind::kParse;
    showAlert(localized(parse ? "file_parse_fail" : "file_read_fail") + ": " +
              localizedDescription(*result.failure));
    return;
  }
  // Held once, by the preview's text view and by the answer that saves it.
  auto srt = std::make_shared<const std::string>(std::move(result.srt));
  showSRTPreviewDialog(srt, [this, inputPath, srt](bool save) {
    if (save) {
      saveSRT(inputPath, *srt);
    } else {
      openFile();
    }
  });
}

// Reading and converting a large export takes a while: the cursor says so at once, and a
// progress bar once it has taken half a second.
ExtractResult AppDelegate::convert(const std::string& inputPath) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  converting_ = true;
  ExtractResult result = convertChosenDocument(inputPath, window.get());
  converting_ = false;
  QApplication::restoreOverrideCursor();
  return result;
}

void AppDelegate::showSRTPreviewDialog(std::shared_ptr<const std::string> srtText,
                                       PreviewCompletion completion) {
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

void AppDelegate::saveSRT(const std::string& inputPath, const std::string& srtText) {
  const auto target =
      dialogs_.chooseTarget(localized("save_file"), qstr(proposedSrtName(inputPath)));
  if (!target) return;
  if (const auto failure = writeSubtitles(target->toStdString(), srtText, inputPath)) {
    showAlert(localized("save_failed") + ": " + localizedDescription(*failure));
  } else {
    showAlert(localized("save_finish") + "\n" + *target);
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
