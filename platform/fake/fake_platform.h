#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake/fake_views.h"
#include "platform/fake/fake_window.h"
#include "platform/fake/scripted_user.h"
#include "platform/platform.h"

namespace caplift::platform::fake {

// A platform for tests: it records every window, view, menu, panel, alert and call, and plays a
// scripted user in every modal operation. Files are real: reads and atomic writes go to the file
// system, so a workflow leaves real files behind. No event loop runs by itself; posted work waits
// until the test (or a running modal loop) calls runPostedWork().
class FakePlatform : public Platform {
 public:
  FakePlatform();
  ~FakePlatform() override;

  // ---- Platform ----
  void setDelegate(ApplicationDelegate* delegate) override;
  int run() override;  // finishes launching and returns 0
  void terminate() override;
  void setMainMenu(std::shared_ptr<Menu> menu) override;
  void activateIgnoringOtherApps() override;
  void runModalForWindow(Window& window) override;
  void stopModal() override;
  void postToMainQueue(std::function<void()> work) override;
  bool isMainThread() const override;

  std::optional<Rect> mainScreenFrame() const override { return screenFrame; }
  std::shared_ptr<Window> makeWindow(const Rect& contentRect, unsigned styleMask) override;
  std::shared_ptr<View> makeView(const Rect& frame) override;
  std::shared_ptr<Button> makeButton(const std::string& title,
                                     std::function<void()> action) override;
  std::shared_ptr<ScrollView> makeScrollView(const Rect& frame) override;
  std::shared_ptr<TextView> makeTextView(const Rect& frame) override;
  std::shared_ptr<TextField> makeLabel(const std::string& text) override;
  std::shared_ptr<TextField> makeTextField(const Rect& frame) override;
  std::shared_ptr<ImageView> makeImageView(const Rect& frame) override;
  std::shared_ptr<Image> loadImage(const std::string& path) override;

  std::optional<std::string> runOpenPanel(const OpenPanelRequest& request) override;
  std::optional<std::string> runSavePanel(const SavePanelRequest& request) override;
  int runAlert(const AlertRequest& request) override;

  std::string localizedString(std::string_view key, std::string_view comment) const override;
  std::optional<std::string> infoDictionaryString(std::string_view key) const override;
  std::optional<std::string> pathForResource(std::string_view name,
                                             std::string_view type) const override;
  std::string processName() const override { return processNameValue; }

  ReadResult readUtf8File(const std::string& path) override;
  WriteResult writeFileAtomically(const std::string& path, std::string_view utf8) override;

  // ---- Set up by the test ----
  ScriptedUser& user() { return user_; }
  std::optional<Rect> screenFrame = Rect{0, 0, 1440, 900};
  std::map<std::string, std::string, std::less<>> strings;  // localized texts; missing: the key
  std::map<std::string, std::string, std::less<>> infoDictionary;  // text values only
  std::map<std::string, std::string> resources;  // "icon_128.png" -> path of the file
  std::string processNameValue = "caplift";
  std::map<std::string, std::string> readFailures;   // path -> description of an injected failure
  std::map<std::string, std::string> writeFailures;  // path -> description of an injected failure
  // Told about script errors (a modal operation without a matching step...). Unset, errors are
  // only collected in scriptErrors.
  std::function<void(const std::string&)> onScriptError;

  // ---- Driving ----
  // Runs posted work in order, including work that it posts, unless a modal loop that was told
  // to stop is still on the stack (then nothing runs). Returns how many items ran.
  std::size_t runPostedWork();
  std::size_t pendingWork() const { return posted_.size(); }
  // Chooses the menu item titled `title` anywhere in the main menu, as a click does: the
  // application answers "terminate:", the delegate everything else. False when there is no such
  // item or nobody answered its action.
  bool chooseMenuItem(const std::string& title);
  std::size_t modalDepth() const { return modalLoops_.size(); }

  // ---- Records ----
  std::vector<std::string> calls;                    // "verb argument" lines, in order
  std::vector<std::shared_ptr<FakeWindow>> windows;  // every window made, in order
  std::shared_ptr<Menu> mainMenu;
  std::vector<OpenPanelRequest> openPanels;
  std::vector<SavePanelRequest> savePanels;
  std::vector<AlertRequest> alerts;
  mutable std::vector<std::pair<std::string, std::string>> localizedLookups;  // key, comment
  std::vector<std::string> scriptErrors;
  ApplicationDelegate* delegate = nullptr;
  bool terminated = false;

  // The index of the first call that starts with `prefix` at or after `from`; -1 when none.
  long findCall(const std::string& prefix, std::size_t from = 0) const;
  std::size_t countCalls(const std::string& prefix) const;
  // The most recent window whose title is `title`, or null.
  FakeWindow* windowTitled(const std::string& title) const;

 private:
  friend class FakeWindow;
  struct ModalLoop {
    Window* window;
    bool stopped;
  };

  void log(std::string line) { calls.push_back(std::move(line)); }
  void scriptError(const std::string& message);
  bool stoppedLoopOnStack() const;
  std::optional<std::string> runPanel(const char* what, const std::vector<ContentType>& allowed,
                                      bool checkType);
  void windowClosed();

  ScriptedUser user_;
  std::deque<std::function<void()>> posted_;
  std::vector<ModalLoop> modalLoops_;
  std::thread::id mainThread_;
};

}  // namespace caplift::platform::fake
