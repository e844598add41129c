#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "convert/extract_srt.h"
#include "convert/time_value.h"
#include "platform/platform.h"

namespace caplift {

// The one object that holds the application's state and carries the whole workflow: the main
// window, the open-convert-preview-save road with its alerts, and the preview's answers. Every
// entry point runs on the main thread and checks that it does.
class AppDelegate : public platform::ApplicationDelegate, public platform::WindowDelegate {
 public:
  using PreviewCompletion = std::function<void(bool save)>;

  explicit AppDelegate(platform::Platform& platform);
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  // The main window, from launch to the end of the run.
  std::shared_ptr<platform::Window> window;
  // Set together while a preview is open, emptied together when it ends.
  std::shared_ptr<platform::Window> previewWindow;
  PreviewCompletion previewCompletion;

  void applicationDidFinishLaunching() override;
  // Runs the open panel and, for a chosen file, the rest of the road.
  void openFile();
  // Reads, converts and previews one input (a file or an .fcpxmld bundle), as if it had been
  // chosen in the open panel.
  void openDocument(const std::string& inputPath);
  void handleOKButton(platform::Button* sender);
  void handleBackButton(platform::Button* sender);
  void handleCancelButton(platform::Button* sender);
  ExtractResult extractSRT(std::string_view document) const;
  Seconds getTime(std::optional<std::string_view> value) const;
  std::string toHMS(Seconds seconds) const;
  bool applicationShouldTerminateAfterLastWindowClosed() override;
  void showAboutWindow();
  void windowWillClose(platform::Window* closing) override;
  bool performAction(std::string_view action) override;

 private:
  void showSRTPreviewDialog(const std::string& srtText, PreviewCompletion completion);
  void showAlert(const std::string& message);
  void answerPreview(bool save);
  void saveSRT(const std::string& inputPath, const std::string& srtText);
  void acceptDrop(const std::vector<std::string>& paths);
  void requireMainThread(const char* entryPoint) const;
  std::string text(std::string_view key, std::string_view comment) const;

  platform::Platform& platform_;
};

}  // namespace caplift
