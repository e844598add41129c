#include "app/app_delegate.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/document_drop.h"
#include "convert/input_path.h"
#include "convert/timestamp.h"
#include "ui/about_window_controller.h"
#include "ui/main_menu_builder.h"
#include "ui/preview_window.h"

namespace caplift {

namespace {

using platform::Rect;

constexpr const char* kMainWindowTitle = "Caplift\uFF08SRT extractor\uFF09";
constexpr double kMainWindowWidth = 400;
constexpr double kMainWindowHeight = 200;
constexpr Rect kFileButtonFrame{100, 80, 200, 40};

// Centred on a screen of the main screen's size whose frame starts at (0, 0): the frame's origin
// is left out on purpose, and the result is neither rounded nor clamped.
Rect mainWindowRect(const std::optional<Rect>& screen) {
  if (!screen) return {200, 200, kMainWindowWidth, kMainWindowHeight};
  return {(screen->width - kMainWindowWidth) * 0.5, (screen->height - kMainWindowHeight) * 0.5,
          kMainWindowWidth, kMainWindowHeight};
}

}  // namespace

AppDelegate::AppDelegate(platform::Platform& platform) : platform_(platform) {}

void AppDelegate::requireMainThread(const char* entryPoint) const {
  if (platform_.isMainThread()) return;
  std::fprintf(stderr, "caplift: AppDelegate::%s called off the main thread\n", entryPoint);
  std::abort();
}

std::string AppDelegate::text(std::string_view key, std::string_view comment) const {
  return platform_.localizedString(key, comment);
}

void AppDelegate::applicationDidFinishLaunching() {
  requireMainThread("applicationDidFinishLaunching");
  MainMenuBuilder::build(platform_, this);

  using platform::StyleMask;
  window =
      platform_.makeWindow(mainWindowRect(platform_.mainScreenFrame()),
                           StyleMask::kTitled | StyleMask::kClosable | StyleMask::kMiniaturizable);
  window->setTitle(kMainWindowTitle);
  window->makeKeyAndOrderFront();

  auto button = platform_.makeButton(text("choose", "file open button"), [this] { openFile(); });
  button->setFrame(kFileButtonFrame);
  window->contentView()->addSubview(std::move(button));

  window->setFileDropHandler(
      [this](const std::vector<std::string>& paths) {
        return !previewWindow && isOpenableDrop(paths);
      },
      [this](const std::vector<std::string>& paths) { acceptDrop(paths); });
}

void AppDelegate::openFile() {
  requireMainThread("openFile");
  platform::OpenPanelRequest request;
  request.title = text("choose", "file open button");
  request.allowedContentTypes = {platform::ContentType::xml(),
                                 platform::ContentType::fcpxmlBundle()};
  if (auto chosen = platform_.runOpenPanel(request)) openDocument(*chosen);
}

void AppDelegate::acceptDrop(const std::vector<std::string>& paths) {
  requireMainThread("acceptDrop");
  // A drop while a preview is open would start a second road inside the first.
  if (previewWindow || !isOpenableDrop(paths)) return;
  openDocument(paths.front());
}

void AppDelegate::openDocument(const std::string& inputPath) {
  requireMainThread("openDocument");
  const DocumentPath document = documentPathFor(inputPath);
  if (!document.ok()) {
    showAlert(text("file_read_fail", "file read fail") + ": " + document.failure->description());
    return;
  }
  platform::ReadResult read = platform_.readUtf8File(document.path);
  if (!read.text) {
    showAlert(text("file_read_fail", "file read fail") + ": " + read.errorDescription);
    return;
  }
  ExtractResult result = extractSRT(*read.text);
  read.text.reset();
  if (!result.ok()) {
    showAlert(text("file_parse_fail", "file parse fail") + ": " + result.failure->description());
    return;
  }
  // Shared so that the preview's copy is the only other one, however long the text.
  auto srt = std::make_shared<const std::string>(std::move(result.srt));
  showSRTPreviewDialog(*srt, [this, inputPath, srt](bool save) {
    if (save) {
      saveSRT(inputPath, *srt);
    } else {
      openFile();
    }
  });
}

void AppDelegate::showSRTPreviewDialog(const std::string& srtText, PreviewCompletion completion) {
  PreviewButtonActions actions;
  actions.save = [this](platform::Button* sender) { handleOKButton(sender); };
  actions.cancel = [this](platform::Button* sender) { handleCancelButton(sender); };
  actions.back = [this](platform::Button* sender) { handleBackButton(sender); };
  // Held here as well as in the field, which an answer empties while the loop still runs.
  std::shared_ptr<platform::Window> preview =
      PreviewWindowBuilder::build(platform_, srtText, this, std::move(actions));
  previewWindow = preview;
  previewCompletion = std::move(completion);
  platform_.runModalForWindow(*preview);
}

void AppDelegate::handleOKButton(platform::Button* /*sender*/) {
  requireMainThread("handleOKButton");
  answerPreview(true);
}

void AppDelegate::handleBackButton(platform::Button* /*sender*/) {
  requireMainThread("handleBackButton");
  answerPreview(false);
}

// The answer is posted, so that it runs after the modal loop and showSRTPreviewDialog have
// returned: a back then starts its new open panel from the event loop, not inside the dialog.
void AppDelegate::answerPreview(bool save) {
  if (!previewWindow) return;
  platform_.stopModal();
  previewWindow->orderOut();
  PreviewCompletion completion = std::exchange(previewCompletion, nullptr);
  previewWindow.reset();
  platform_.postToMainQueue([completion = std::move(completion), save] {
    if (completion) completion(save);
  });
}

void AppDelegate::handleCancelButton(platform::Button* /*sender*/) {
  requireMainThread("handleCancelButton");
  if (!previewWindow) return;
  platform_.stopModal();
  previewWindow->orderOut();
  previewWindow.reset();
  previewCompletion = nullptr;
}

void AppDelegate::saveSRT(const std::string& inputPath, const std::string& srtText) {
  platform::SavePanelRequest request;
  request.title = text("save_file", "file save");
  request.allowedContentTypes = {platform::ContentType::srt()};
  request.nameFieldStringValue = proposedSrtName(inputPath);
  auto target = platform_.runSavePanel(request);
  if (!target) return;
  platform::WriteResult written = platform_.writeFileAtomically(*target, srtText);
  if (written.ok) {
    showAlert(text("save_finish", "file saved") + "\n" + *target);
  } else {
    showAlert(text("save_failed", "save failed") + ": " + written.errorDescription);
  }
}

void AppDelegate::showAlert(const std::string& message) {
  platform::AlertRequest alert;
  alert.messageText = text("alert_notify", "notification");
  alert.informativeText = message;
  alert.buttonTitles = {text("ok", "OK")};
  platform_.runAlert(alert);
}

ExtractResult AppDelegate::extractSRT(std::string_view document) const {
  return caplift::extractSRT(document);
}

Seconds AppDelegate::getTime(std::optional<std::string_view> value) const {
  return caplift::getTime(value);
}

std::string AppDelegate::toHMS(Seconds seconds) const {
  return caplift::toHMS(seconds);
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() {
  requireMainThread("applicationShouldTerminateAfterLastWindowClosed");
  return true;
}

void AppDelegate::showAboutWindow() {
  requireMainThread("showAboutWindow");
  AboutWindowController::show(platform_);
}

// Only the preview window has this delegate. Its fields are taken out before the completion
// runs: the completion starts openFile, whose next preview fills them again.
void AppDelegate::windowWillClose(platform::Window* closing) {
  requireMainThread("windowWillClose");
  if (!previewWindow) return;
  if (closing == nullptr || closing != previewWindow.get()) return;
  platform_.stopModal();
  // Kept alive until this callback returns: the platform is still closing it.
  std::shared_ptr<platform::Window> closingWindow = std::exchange(previewWindow, nullptr);
  PreviewCompletion completion = std::exchange(previewCompletion, nullptr);
  if (completion) completion(false);
}

bool AppDelegate::performAction(std::string_view action) {
  requireMainThread("performAction");
  if (action == "showAboutWindow") {
    showAboutWindow();
    return true;
  }
  return false;
}

}  // namespace caplift
