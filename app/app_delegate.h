#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>

#include "app/document_files.h"
#include "app/main_window.h"
#include "convert/conversion.h"
#include "platform/dialogs.h"
#include "ui/preview_window.h"

class QPushButton;

namespace caplift {

// The one object that holds the application's state and carries the whole workflow: the main
// window, the open, convert, preview and save steps with their alerts, and the preview's answers.
// Every entry point runs on the main thread and checks that it does.
class AppDelegate : public QObject {
  Q_OBJECT

 public:
  using PreviewCompletion = std::function<void(bool save)>;

  explicit AppDelegate(platform::Dialogs& dialogs);

  // The main window, from launch to the end of the run.
  std::unique_ptr<MainWindow> window;
  // Set together while a preview is open, emptied together when it ends.
  std::shared_ptr<PreviewWindow> previewWindow;
  PreviewCompletion previewCompletion;

  void applicationDidFinishLaunching();
  // Asks for a file and, for a chosen one, converts, previews and saves it.
  Q_INVOKABLE void openFile();
  // Converts and previews one input (a file or an .fcpxmld bundle) as if it had been chosen.
  void openDocument(const std::string& inputPath);
  // A document the desktop asks the application to open: the file on its command line, or
  // macOS's open-document event. It is handled as a chosen file once launching has finished.
  void applicationOpenFile(const QString& path);
  void handleOKButton(QPushButton* sender);
  void handleBackButton(QPushButton* sender);
  void handleCancelButton(QPushButton* sender);
  bool applicationShouldTerminateAfterLastWindowClosed();
  Q_INVOKABLE void showAboutWindow();
  void windowWillClose(QWidget* closing);

 protected:
  // Takes macOS's open-document events to applicationOpenFile.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One conversion of the open document: its text, and in the timeline mode what was placed.
  struct Converted {
    std::shared_ptr<const std::string> srt;
    std::optional<TimelineResult> placed;
    std::optional<ConversionFailure> failure;
    CueChoice choice;              // what it shows
    std::vector<RoleCount> roles;  // every role found, with its count
    std::size_t otherKind = 0;     // when it shows nothing: the cues of the other kind
    std::size_t cues = 0;
    DocumentNotes notes;
  };

  // `prepare` sets up the window before it shows.
  void showSRTPreviewDialog(std::shared_ptr<const std::string> srtText,
                            PreviewCompletion completion,
                            const std::function<void(PreviewWindow&)>& prepare);
  void showAlert(const QString& message);
  void answerPreview(bool save);
  void runAfterPreviewLoops(std::function<void()> work);
  void saveSRT(const std::string& inputPath, const Converted& shown);
  void requireMainThread(const char* entryPoint) const;
  Converted convert(const std::string& inputPath, bool timeline, const CueChoice& choice = {});
  void showFailure(const ConversionFailure& failure);
  // The workflow is under way: a preview is open, or a conversion runs (and repaints the windows).
  bool busy() const { return previewWindow || converting_; }

  platform::Dialogs& dialogs_;
  int runningPreviewLoops_ = 0;
  bool converting_ = false;
  std::optional<QString> fileToOpenAtLaunch_;
};

// Runs the event loop with `delegate` as the application's delegate until the application ends:
// launching finishes from the loop, and the application ends when its last window has closed if
// the delegate says so.
int runApplication(AppDelegate& delegate);

}  // namespace caplift
