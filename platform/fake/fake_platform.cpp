#include "platform/fake/fake_platform.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "platform/fake/disk_files.h"

namespace caplift::platform::fake {

namespace {

std::string describe(const Rect& r) {
  auto number = [](double v) {
    std::string text = std::to_string(v);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
  };
  return number(r.x) + "," + number(r.y) + "," + number(r.width) + "," + number(r.height);
}

std::string lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string extensionOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  auto slash = path.rfind('/');
  auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return lowercase(path.substr(dot + 1));
}

bool isDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Whether an open panel limited to `allowed` lets the user pick `path`.
bool panelAllows(const std::vector<ContentType>& allowed, const std::string& path) {
  const std::string extension = extensionOf(path);
  const bool folder = isDirectory(path);
  for (const ContentType& type : allowed) {
    if (type.isPackage != folder) continue;
    for (const std::string& candidate : type.extensions) {
      if (lowercase(candidate) == extension) return true;
    }
  }
  return false;
}

MenuItem* findItem(const Menu& menu, const std::string& title) {
  for (const auto& item : menu.items) {
    if (!item->isSeparator && item->title == title) return item.get();
    if (item->submenu) {
      if (MenuItem* found = findItem(*item->submenu, title)) return found;
    }
  }
  return nullptr;
}

}  // namespace

FakePlatform::FakePlatform() : mainThread_(std::this_thread::get_id()) {}

FakePlatform::~FakePlatform() {
  // Windows refer back to the platform; let them go first.
  windows.clear();
}

void FakePlatform::setDelegate(ApplicationDelegate* value) {
  log("setDelegate");
  delegate = value;
}

int FakePlatform::run() {
  log("run");
  if (delegate) delegate->applicationDidFinishLaunching();
  return 0;
}

void FakePlatform::terminate() {
  log("terminate");
  terminated = true;
}

void FakePlatform::setMainMenu(std::shared_ptr<Menu> menu) {
  log("setMainMenu");
  mainMenu = std::move(menu);
}

void FakePlatform::activateIgnoringOtherApps() {
  log("activateIgnoringOtherApps");
}

void FakePlatform::runModalForWindow(Window& window) {
  const std::string title = window.title();
  log("runModalForWindow " + title);
  if (auto* fake = dynamic_cast<FakeWindow*>(&window)) {
    fake->visible_ = true;
    fake->closed = false;
  }
  modalLoops_.push_back({&window, false});
  const std::size_t depth = modalLoops_.size();
  const std::string what = "the modal loop of window \"" + title + "\"";
  while (!modalLoops_[depth - 1].stopped) {
    runPostedWork();
    if (modalLoops_[depth - 1].stopped) break;
    std::string error;
    auto step =
        user_.take(what.c_str(), UserStep::Kind::kPress, UserStep::Kind::kCloseWindow, error);
    if (!step) {
      scriptError(error + "; the loop ends");
      break;
    }
    if (step->kind == UserStep::Kind::kCloseWindow) {
      window.close();
      continue;
    }
    View* content = window.contentView().get();
    FakeButton* button = content ? findButton(*content, step->title) : nullptr;
    if (!button) {
      scriptError(what + " has no button titled \"" + step->title + "\"");
      continue;
    }
    log("press " + step->title);
    button->press();
  }
  modalLoops_.resize(depth - 1);
  log("modal loop ended " + title);
}

void FakePlatform::stopModal() {
  log("stopModal");
  if (!modalLoops_.empty()) modalLoops_.back().stopped = true;
}

void FakePlatform::postToMainQueue(std::function<void()> work) {
  log("postToMainQueue");
  posted_.push_back(std::move(work));
}

bool FakePlatform::isMainThread() const {
  return std::this_thread::get_id() == mainThread_;
}

bool FakePlatform::stoppedLoopOnStack() const {
  return std::any_of(modalLoops_.begin(), modalLoops_.end(),
                     [](const ModalLoop& loop) { return loop.stopped; });
}

std::size_t FakePlatform::runPostedWork() {
  std::size_t count = 0;
  while (!posted_.empty() && !stoppedLoopOnStack()) {
    auto work = std::move(posted_.front());
    posted_.pop_front();
    log("run posted work");
    if (work) work();
    ++count;
  }
  return count;
}

std::shared_ptr<Window> FakePlatform::makeWindow(const Rect& contentRect, unsigned styleMask) {
  log("makeWindow " + describe(contentRect) + " mask " + std::to_string(styleMask));
  auto window = std::make_shared<FakeWindow>(*this, contentRect, styleMask);
  windows.push_back(window);
  return window;
}

std::shared_ptr<View> FakePlatform::makeView(const Rect& frame) {
  log("makeView " + describe(frame));
  return std::make_shared<FakeView>(frame);
}

std::shared_ptr<Button> FakePlatform::makeButton(const std::string& title,
                                                 std::function<void()> action) {
  log("makeButton " + title);
  return std::make_shared<FakeButton>(title, std::move(action));
}

std::shared_ptr<ScrollView> FakePlatform::makeScrollView(const Rect& frame) {
  log("makeScrollView " + describe(frame));
  return std::make_shared<FakeScrollView>(frame);
}

std::shared_ptr<TextView> FakePlatform::makeTextView(const Rect& frame) {
  log("makeTextView " + describe(frame));
  return std::make_shared<FakeTextView>(frame);
}

std::shared_ptr<TextField> FakePlatform::makeLabel(const std::string& text) {
  log("makeLabel " + text);
  return std::make_shared<FakeTextField>(ViewKind::kLabel, Rect{}, text);
}

std::shared_ptr<TextField> FakePlatform::makeTextField(const Rect& frame) {
  log("makeTextField " + describe(frame));
  return std::make_shared<FakeTextField>(ViewKind::kTextField, frame, std::string());
}

std::shared_ptr<ImageView> FakePlatform::makeImageView(const Rect& frame) {
  log("makeImageView " + describe(frame));
  return std::make_shared<FakeImageView>(frame);
}

std::shared_ptr<Image> FakePlatform::loadImage(const std::string& path) {
  log("loadImage " + path);
  // Only PNG files count as readable images here.
  static const std::string signature = "\x89PNG\r\n\x1a\n";
  std::ifstream in(path, std::ios::binary);
  std::string head(signature.size(), '\0');
  if (!in.read(head.data(), static_cast<std::streamsize>(head.size())) || head != signature) {
    return nullptr;
  }
  return std::make_shared<FakeImage>(path);
}

std::optional<std::string> FakePlatform::runPanel(const char* what,
                                                  const std::vector<ContentType>& allowed,
                                                  bool checkType) {
  std::string error;
  auto step = user_.take(what, UserStep::Kind::kChooseFile, UserStep::Kind::kCancelPanel, error);
  if (!step) {
    scriptError(error + "; the panel is cancelled");
    return std::nullopt;
  }
  if (step->kind == UserStep::Kind::kCancelPanel) return std::nullopt;
  if (checkType && !panelAllows(allowed, step->path)) {
    scriptError(std::string(what) + " does not let the user pick " + step->path +
                "; the panel is cancelled");
    return std::nullopt;
  }
  return step->path;
}

std::optional<std::string> FakePlatform::runOpenPanel(const OpenPanelRequest& request) {
  log("runOpenPanel " + request.title);
  openPanels.push_back(request);
  return runPanel("the open panel", request.allowedContentTypes, true);
}

std::optional<std::string> FakePlatform::runSavePanel(const SavePanelRequest& request) {
  log("runSavePanel " + request.title + " " + request.nameFieldStringValue);
  savePanels.push_back(request);
  return runPanel("the save panel", request.allowedContentTypes, false);
}

int FakePlatform::runAlert(const AlertRequest& request) {
  log("runAlert " + request.messageText + " | " + request.informativeText);
  alerts.push_back(request);
  std::string error;
  auto step =
      user_.take("an alert", UserStep::Kind::kDismissAlert, UserStep::Kind::kDismissAlert, error);
  if (!step) {
    scriptError(error + "; the alert answers its first button");
    return 0;
  }
  if (step->buttonIndex < 0 ||
      static_cast<std::size_t>(step->buttonIndex) >= request.buttonTitles.size()) {
    scriptError("the alert has no button " + std::to_string(step->buttonIndex));
  }
  return step->buttonIndex;
}

std::string FakePlatform::localizedString(std::string_view key, std::string_view comment) const {
  localizedLookups.emplace_back(key, comment);
  auto found = strings.find(key);
  return found != strings.end() ? found->second : std::string(key);
}

std::optional<std::string> FakePlatform::infoDictionaryString(std::string_view key) const {
  auto found = infoDictionary.find(key);
  if (found == infoDictionary.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> FakePlatform::pathForResource(std::string_view name,
                                                         std::string_view type) const {
  auto found = resources.find(std::string(name) + "." + std::string(type));
  if (found == resources.end()) return std::nullopt;
  return found->second;
}

ReadResult FakePlatform::readUtf8File(const std::string& path) {
  log("readUtf8File " + path);
  if (auto found = readFailures.find(path); found != readFailures.end()) {
    return {std::nullopt, found->second};
  }
  return readUtf8FromDisk(path);
}

WriteResult FakePlatform::writeFileAtomically(const std::string& path, std::string_view utf8) {
  log("writeFileAtomically " + path);
  if (auto found = writeFailures.find(path); found != writeFailures.end()) {
    return {false, found->second};
  }
  return writeAtomicallyToDisk(path, utf8);
}

bool FakePlatform::chooseMenuItem(const std::string& title) {
  MenuItem* item = mainMenu ? findItem(*mainMenu, title) : nullptr;
  if (!item) return false;
  log("menu " + title);
  if (item->action == kTerminateAction) {
    terminate();
    return true;
  }
  return delegate && delegate->performAction(item->action);
}

long FakePlatform::findCall(const std::string& prefix, std::size_t from) const {
  for (std::size_t i = from; i < calls.size(); ++i) {
    if (calls[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
  }
  return -1;
}

std::size_t FakePlatform::countCalls(const std::string& prefix) const {
  return static_cast<std::size_t>(std::count_if(
      calls.begin(), calls.end(), [&](const auto& c) { return c.rfind(prefix, 0) == 0; }));
}

FakeWindow* FakePlatform::windowTitled(const std::string& title) const {
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if ((*it)->title() == title) return it->get();
  }
  return nullptr;
}

void FakePlatform::scriptError(const std::string& message) {
  log("script error: " + message);
  scriptErrors.push_back(message);
  if (onScriptError) onScriptError(message);
}

void FakePlatform::windowClosed() {
  const bool anyOpen = std::any_of(windows.begin(), windows.end(),
                                   [](const auto& window) { return window->isVisible(); });
  if (!anyOpen && delegate && delegate->applicationShouldTerminateAfterLastWindowClosed()) {
    terminate();
  }
}

}  // namespace caplift::platform::fake
