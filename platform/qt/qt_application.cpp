#include "platform/qt/qt_application.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "platform/qt/controls.h"
#include "platform/qt/file_io.h"
#include "platform/qt/geometry_mapping.h"
#include "platform/qt/identity.h"
#include "platform/qt/menu_bar.h"
#include "platform/qt/panels.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "platform/qt/text_views.h"
#include "platform/qt/translations.h"

namespace caplift::platform {

std::unique_ptr<Platform> makeQtPlatform(int& argc, char** argv) {
  return std::make_unique<qt::QtPlatform>(argc, argv);
}

}  // namespace caplift::platform

namespace caplift::platform::qt {

QtPlatform::QtPlatform(int& argc, char** argv) : app_(std::make_unique<QApplication>(argc, argv)) {
  QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
  QApplication::setApplicationVersion(QStringLiteral(CAPLIFT_VERSION));
  // Lets desktops match the windows with caplift.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("caplift"));
  // The delegate decides whether closing the last window ends the application.
  QApplication::setQuitOnLastWindowClosed(false);
  icon_ = applicationIcon();
  QApplication::setWindowIcon(icon_);
  installTranslation(translationFor(QLocale::system().uiLanguages()));
  queue_ = std::make_unique<MainQueue>([this] { return !terminating_ && !loops_.stopPending(); });
  loops_.setOnLoopReturned([this] { queue_->resume(); });
}

QtPlatform::~QtPlatform() {
  terminating_ = true;
  queue_.reset();
  shown_.clear();
  // Widgets whose views are gone wait for deferred deletion; the application object must not
  // outlive them, and it must not leave any behind.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QList<QPointer<QWidget>> remaining;
  for (QWidget* widget : QApplication::topLevelWidgets()) remaining.append(widget);
  for (const QPointer<QWidget>& widget : remaining) delete widget.data();
  removeTranslations();
  app_.reset();
}

int QtPlatform::run() {
  QMetaObject::invokeMethod(
      app_.get(),
      [this] {
        if (delegate_) delegate_->applicationDidFinishLaunching();
      },
      Qt::QueuedConnection);
  return app_->exec();
}

void QtPlatform::terminate() {
  if (terminating_) return;
  terminating_ = true;
  queue_->clear();
  for (const auto& window : shown_) {
    if (window->widget()) window->widget()->hide();
  }
  shown_.clear();
  loops_.stopAll();
  // exit(), not quit(): quit() would first ask every window to close, and Quit asks nothing.
  QCoreApplication::exit(0);
}

void QtPlatform::resetTermination() {
  terminating_ = false;
}

void QtPlatform::setMainMenu(std::shared_ptr<Menu> menu) {
  menu_ = std::move(menu);
  ensureMenuBar();
  for (const auto& window : shown_) addShortcutsTo(*window);
}

void QtPlatform::ensureMenuBar() {
  if (!menu_) return;
  if (!menuBar_) {
#ifdef Q_OS_MACOS
    // A menu bar without a parent is the system menu bar.
    menuBar_ = new QMenuBar(nullptr);
#else
    const auto host = mainWindow_.lock();
    menuBar_ = new QMenuBar(host ? host->widget() : nullptr);
    if (!host) menuBar_->hide();
#endif
  }
  fillMenuBar(*menuBar_, *menu_, QString::fromLatin1(kApplicationName),
              [this](const std::string& action) { perform(action); });
#ifndef Q_OS_MACOS
  if (const auto host = mainWindow_.lock()) host->setMenuBar(menuBar_);
#endif
}

void QtPlatform::perform(const std::string& action) {
  if (action == kTerminateAction) {
    terminate();
    return;
  }
  if (delegate_) delegate_->performAction(action);
}

QList<QAction*> QtPlatform::menuShortcuts() const {
  return menuBar_ ? shortcutActions(*menuBar_) : QList<QAction*>();
}

void QtPlatform::addShortcutsTo(QtWindow& window) {
  // The menu's shortcuts work in every window of the application, a modal one included, the way a
  // system menu bar's do.
  if (window.widget()) window.widget()->addActions(menuShortcuts());
}

void QtPlatform::activateIgnoringOtherApps() {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
    QWidget* widget = (*it)->widget();
    if (widget && widget->isVisible()) {
      widget->raise();
      widget->activateWindow();
      return;
    }
  }
}

void QtPlatform::runModalForWindow(Window& window) {
  QtWindow* qtWindow = qtWindowOf(&window);
  if (!qtWindow || terminating_) return;
  const auto keep = qtWindow->shared_from_this();
  qtWindow->prepareModal(true);
  windowWillShow(*qtWindow);
  qtWindow->show();
  windowShown(keep);
  loops_.run();
  qtWindow->prepareModal(false);
}

void QtPlatform::stopModal() {
  loops_.stopInnermost();
}

void QtPlatform::postToMainQueue(std::function<void()> work) {
  if (!terminating_ && work) queue_->post(std::move(work));
}

bool QtPlatform::isMainThread() const {
  return QThread::currentThread() == app_->thread();
}

std::optional<Rect> QtPlatform::mainScreenFrame() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  return qtRectToScreen(screen->geometry());
}

std::shared_ptr<Window> QtPlatform::makeWindow(const Rect& contentRect, unsigned styleMask) {
  return std::make_shared<QtWindow>(*this, contentRect, styleMask);
}

std::shared_ptr<View> QtPlatform::makeView(const Rect& frame) {
  return std::make_shared<QtPlainView>(frame);
}

std::shared_ptr<Button> QtPlatform::makeButton(const std::string& title,
                                               std::function<void()> action) {
  auto button = std::make_shared<QtButton>(title, std::move(action));
  const QSize size = button->pushButton()->sizeHint();
  button->setFrame({0, 0, double(size.width()), double(size.height())});
  return button;
}

std::shared_ptr<ScrollView> QtPlatform::makeScrollView(const Rect& frame) {
  return std::make_shared<QtScrollView>(frame);
}

std::shared_ptr<TextView> QtPlatform::makeTextView(const Rect& frame) {
  return std::make_shared<QtTextView>(frame);
}

std::shared_ptr<TextField> QtPlatform::makeLabel(const std::string& text) {
  auto label = std::make_shared<QtTextField>(text, true);
  const QSize size = label->label()->sizeHint();
  label->setFrame({0, 0, double(size.width()), double(size.height())});
  return label;
}

std::shared_ptr<TextField> QtPlatform::makeTextField(const Rect& frame) {
  auto field = std::make_shared<QtTextField>(std::string(), false);
  field->setFrame(frame);
  return field;
}

std::shared_ptr<ImageView> QtPlatform::makeImageView(const Rect& frame) {
  return std::make_shared<QtImageView>(frame);
}

std::shared_ptr<Image> QtPlatform::loadImage(const std::string& path) {
  return loadQtImage(path);
}

std::optional<std::string> QtPlatform::runOpenPanel(const OpenPanelRequest& request) {
  if (terminating_) return std::nullopt;
  return runOpenDialog(request, lastDirectory_, menuShortcuts());
}

std::optional<std::string> QtPlatform::runSavePanel(const SavePanelRequest& request) {
  if (terminating_) return std::nullopt;
  return runSaveDialog(request, lastDirectory_, menuShortcuts());
}

int QtPlatform::runAlert(const AlertRequest& request) {
  if (terminating_) return 0;
  return runAlertBox(request, icon_, menuShortcuts());
}

std::string QtPlatform::localizedString(std::string_view key, std::string_view) const {
  const std::string source(key);
  return localizedText(source.c_str()).toStdString();
}

std::optional<std::string> QtPlatform::infoDictionaryString(std::string_view key) const {
  return infoDictionaryValue(key);
}

std::optional<std::string> QtPlatform::pathForResource(std::string_view name,
                                                       std::string_view type) const {
  return resourcePath(name, type);
}

std::string QtPlatform::processName() const {
  return runningProcessName();
}

ReadResult QtPlatform::readUtf8File(const std::string& path) {
  return qt::readUtf8File(path);
}

WriteResult QtPlatform::writeFileAtomically(const std::string& path, std::string_view utf8) {
  return qt::writeFileAtomically(path, utf8);
}

void QtPlatform::windowWillShow(QtWindow& window) {
  // The main window is the first ordinary window shown; when it is gone, the next one is.
  if (window.level() == WindowLevel::kNormal && !mainWindow_.lock()) {
    mainWindow_ = window.shared_from_this();
#ifndef Q_OS_MACOS
    if (menu_) {
      ensureMenuBar();
      window.setMenuBar(menuBar_);
    }
#endif
  }
  addShortcutsTo(window);
}

void QtPlatform::windowShown(std::shared_ptr<QtWindow> window) {
  if (std::find(shown_.begin(), shown_.end(), window) == shown_.end()) {
    shown_.push_back(std::move(window));
  }
}

void QtPlatform::windowOrderedOut(QtWindow& window) {
  release(window);
}

void QtPlatform::release(QtWindow& window) {
  auto it = std::find_if(shown_.begin(), shown_.end(),
                         [&window](const auto& shown) { return shown.get() == &window; });
  if (it != shown_.end()) shown_.erase(it);
}

void QtPlatform::windowClosed(QtWindow& window) {
  const bool wasShown = std::any_of(shown_.begin(), shown_.end(), [&window](const auto& shown) {
    return shown.get() == &window;
  });
  release(window);
  if (!wasShown || terminating_ || !delegate_) return;
  const bool anyVisible = std::any_of(shown_.begin(), shown_.end(),
                                      [](const auto& shown) { return shown->isVisible(); });
  if (!anyVisible && delegate_->applicationShouldTerminateAfterLastWindowClosed()) terminate();
}

QWindow* QtPlatform::levelAnchor(const QtWindow& window) {
  auto usable = [&window](const std::shared_ptr<QtWindow>& candidate) {
    return candidate && candidate.get() != &window && candidate->isVisible() &&
           candidate->level() == WindowLevel::kNormal && candidate->widget()->windowHandle();
  };
  if (const auto main = mainWindow_.lock(); usable(main)) return main->widget()->windowHandle();
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
    if (usable(*it)) return (*it)->widget()->windowHandle();
  }
  return nullptr;
}

}  // namespace caplift::platform::qt
