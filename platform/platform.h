#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/view.h"
#include "platform/window.h"

// The desktop services that the application shell uses, behind one interface. The Qt backend
// (platform/qt) is the real one; platform/fake records calls and plays a scripted user for tests.
// Every call is made on the main thread.
namespace caplift::platform {

class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  virtual void applicationDidFinishLaunching() = 0;
  virtual bool applicationShouldTerminateAfterLastWindowClosed() = 0;
  // Receives menu actions that the application itself does not answer. Returns false when the
  // delegate does not implement `action`.
  virtual bool performAction(std::string_view action) = 0;
};

// A file type that panels allow. `extensions` are without the dot.
struct ContentType {
  std::string identifier;
  std::string description;
  std::vector<std::string> extensions;
  // A package is a folder that the user picks as one document (such as an .fcpxmld bundle).
  bool isPackage = false;

  static ContentType xml();  // the standard XML type (and documents that conform to it)
  static ContentType srt();  // files named *.srt, conforming to generic data
  static ContentType fcpxmlBundle();  // folders named *.fcpxmld, a package
  friend bool operator==(const ContentType&, const ContentType&) = default;
};

struct OpenPanelRequest {
  std::string title;
  std::vector<ContentType> allowedContentTypes;
};

struct SavePanelRequest {
  std::string title;
  std::vector<ContentType> allowedContentTypes;
  std::string nameFieldStringValue;  // the proposed file name
};

struct AlertRequest {
  std::string messageText;      // the bold first line
  std::string informativeText;  // the message below it
  std::vector<std::string> buttonTitles;
};

// Whole-file reading and writing. On failure `errorDescription` is a full, human-readable
// sentence that names the file.
struct ReadResult {
  std::optional<std::string> text;  // valid UTF-8
  std::string errorDescription;
};

struct WriteResult {
  bool ok = false;
  std::string errorDescription;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Application object and event loop.
  virtual void setDelegate(ApplicationDelegate* delegate) = 0;  // not owned
  virtual int run() = 0;  // returns when the application ends
  virtual void terminate() = 0;
  virtual void setMainMenu(std::shared_ptr<Menu> menu) = 0;
  virtual void activateIgnoringOtherApps() = 0;
  // Runs a modal loop for `window` (shown, key, other windows blocked) until stopModal.
  virtual void runModalForWindow(Window& window) = 0;
  // Ends the innermost modal loop once the current event has returned.
  virtual void stopModal() = 0;
  // Runs `work` later on the main thread, after the current event and any modal loop that has
  // been told to stop have returned.
  virtual void postToMainQueue(std::function<void()> work) = 0;
  virtual bool isMainThread() const = 0;

  // Screens, windows and views.
  virtual std::optional<Rect> mainScreenFrame() const = 0;
  virtual std::shared_ptr<Window> makeWindow(const Rect& contentRect, unsigned styleMask) = 0;
  virtual std::shared_ptr<View> makeView(const Rect& frame) = 0;
  virtual std::shared_ptr<Button> makeButton(const std::string& title,
                                             std::function<void()> action) = 0;
  virtual std::shared_ptr<ScrollView> makeScrollView(const Rect& frame) = 0;
  virtual std::shared_ptr<TextView> makeTextView(const Rect& frame) = 0;
  virtual std::shared_ptr<TextField> makeLabel(const std::string& text) = 0;
  virtual std::shared_ptr<TextField> makeTextField(const Rect& frame) = 0;
  virtual std::shared_ptr<ImageView> makeImageView(const Rect& frame) = 0;
  virtual std::shared_ptr<Image> loadImage(const std::string& path) = 0;

  // Panels and alerts, each modal until the user answers. Panels give the chosen path, or
  // nothing when cancelled. An alert gives the index of the pressed button.
  virtual std::optional<std::string> runOpenPanel(const OpenPanelRequest& request) = 0;
  virtual std::optional<std::string> runSavePanel(const SavePanelRequest& request) = 0;
  virtual int runAlert(const AlertRequest& request) = 0;

  // Bundle: localized text by key (the key itself when the table has no entry), information
  // dictionary values, resource paths and the process name.
  virtual std::string localizedString(std::string_view key, std::string_view comment) const = 0;
  virtual std::optional<std::string> infoDictionaryString(std::string_view key) const = 0;
  virtual std::optional<std::string> pathForResource(std::string_view name,
                                                     std::string_view type) const = 0;
  virtual std::string processName() const = 0;

  // Files: whole-file UTF-8 reading, atomic UTF-8 writing (an existing file is replaced whole or
  // left as it was).
  virtual ReadResult readUtf8File(const std::string& path) = 0;
  virtual WriteResult writeFileAtomically(const std::string& path, std::string_view utf8) = 0;
};

}  // namespace caplift::platform
