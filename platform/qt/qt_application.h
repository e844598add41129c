#pragma once

#include <memory>
#include <vector>

#include <QIcon>
#include <QMenuBar>
#include <QPointer>
#include <QString>

#include "platform/platform.h"
#include "platform/qt/main_queue.h"
#include "platform/qt/modal_loops.h"
#include "platform/qt/window_host.h"

class QApplication;

namespace caplift::platform::qt {

// The Qt backend. Owns the QApplication, the shown windows, the menu bar and the main queue.
class QtPlatform final : public Platform, public WindowHost {
 public:
  QtPlatform(int& argc, char** argv);
  ~QtPlatform() override;

  void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
  int run() override;
  void terminate() override;
  void setMainMenu(std::shared_ptr<Menu> menu) override;
  void activateIgnoringOtherApps() override;
  void runModalForWindow(Window& window) override;
  void stopModal() override;
  void postToMainQueue(std::function<void()> work) override;
  bool isMainThread() const override;

  std::optional<Rect> mainScreenFrame() const override;
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
  std::string processName() const override;

  ReadResult readUtf8File(const std::string& path) override;
  WriteResult writeFileAtomically(const std::string& path, std::string_view utf8) override;

  // WindowHost
  void windowWillShow(QtWindow& window) override;
  void windowShown(std::shared_ptr<QtWindow> window) override;
  void windowOrderedOut(QtWindow& window) override;
  void windowClosed(QtWindow& window) override;
  QWindow* levelAnchor(const QtWindow& window) override;

  // For tests and diagnostics.
  QMenuBar* menuBar() const { return menuBar_; }
  std::shared_ptr<QtWindow> mainWindow() const { return mainWindow_.lock(); }
  int modalDepth() const { return loops_.depth(); }
  std::size_t shownWindowCount() const { return shown_.size(); }
  bool isTerminating() const { return terminating_; }
  // Starts over after terminate(), so that one process can test several runs.
  void resetTermination();

 private:
  void release(QtWindow& window);
  void ensureMenuBar();
  void perform(const std::string& action);
  void addShortcutsTo(QtWindow& window);
  QList<QAction*> menuShortcuts() const;

  std::unique_ptr<QApplication> app_;
  ApplicationDelegate* delegate_ = nullptr;
  ModalLoops loops_;
  std::unique_ptr<MainQueue> queue_;
  std::shared_ptr<Menu> menu_;
  QPointer<QMenuBar> menuBar_;
  std::vector<std::shared_ptr<QtWindow>> shown_;
  std::weak_ptr<QtWindow> mainWindow_;
  QString lastDirectory_;
  QIcon icon_;
  bool terminating_ = false;
};

}  // namespace caplift::platform::qt
