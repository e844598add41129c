// Times the desktop app on the real Qt backend, started as caplift's own main() starts it (Qt
// platform, one AppDelegate, the event loop), with a thin platform wrapper that answers the open
// panel and notes when each step of the road is reached.
//
//   caplift_bench_app          launch: prints "shown_ns=<CLOCK_MONOTONIC>" as soon as the main
//                              window has been exposed and painted, then ends
//   caplift_bench_app FILE     also, from the shown main window, runs openFile with FILE chosen in
//                              the open panel, and prints how long the road took to a painted
//                              preview: reading, converting, building the preview (the text set
//                              into the real text view), showing it
//
// Run it with QT_QPA_PLATFORM=offscreen (or on a display).

#include <QApplication>
#include <QEvent>
#include <QSet>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/app_delegate.h"
#include "bench/forwarding_platform.h"
#include "platform/qt/qt_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using caplift::platform::Platform;

double msBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Peak resident memory of this process so far, in KiB.
long peakRssKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// When the steps of the road were reached.
struct Marks {
  Clock::time_point chosen;
  Clock::time_point readStart;
  Clock::time_point readEnd;
  Clock::time_point previewStart;
  Clock::time_point textSet;
  Clock::time_point shown;
};

// Answers the open panel with the file, and notes the steps that go through the platform.
class RoadPlatform final : public caplift::bench::ForwardingPlatform {
 public:
  RoadPlatform(Platform& inner, std::string file, Marks& marks)
      : ForwardingPlatform(inner), file_(std::move(file)), marks_(marks) {}

  std::optional<std::string> runOpenPanel(const caplift::platform::OpenPanelRequest&) override {
    if (answered_) return std::nullopt;
    answered_ = true;
    marks_.chosen = Clock::now();
    return file_;
  }
  caplift::platform::ReadResult readUtf8File(const std::string& path) override {
    marks_.readStart = Clock::now();
    auto result = inner().readUtf8File(path);
    marks_.readEnd = Clock::now();
    return result;
  }
  std::shared_ptr<caplift::platform::Window> makeWindow(const caplift::platform::Rect& rect,
                                                        unsigned styleMask) override {
    // The first window after the read is the preview's.
    if (marks_.readEnd != Clock::time_point() && marks_.previewStart == Clock::time_point()) {
      marks_.previewStart = Clock::now();
    }
    return inner().makeWindow(rect, styleMask);
  }
  void runModalForWindow(caplift::platform::Window& window) override {
    marks_.textSet = Clock::now();
    previewRunning_ = true;
    inner().runModalForWindow(window);
  }
  int runAlert(const caplift::platform::AlertRequest& request) override {
    std::fprintf(stderr, "alert: %s\n", request.informativeText.c_str());
    failed_ = true;
    return 0;
  }

  bool previewRunning() const { return previewRunning_; }
  bool failed() const { return failed_; }

 private:
  std::string file_;
  Marks& marks_;
  bool answered_ = false;
  bool previewRunning_ = false;
  bool failed_ = false;
};

// Calls back once a window other than the ones already seen has been exposed and the event that
// exposed it (with its painting) has been handled.
class ExposeWatch final : public QObject {
 public:
  explicit ExposeWatch(std::function<void(QWindow*)> onShown) : onShown_(std::move(onShown)) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() != QEvent::Expose) return false;
    auto* window = qobject_cast<QWindow*>(object);
    if (window == nullptr || !window->isExposed() || seen_.contains(window)) return false;
    seen_.insert(window);
    QTimer::singleShot(0, this, [this, window] { onShown_(window); });
    return false;
  }

 private:
  std::function<void(QWindow*)> onShown_;
  QSet<QWindow*> seen_;
};

}  // namespace

caplift::AppDelegate* delegate = nullptr;

int main(int argc, char** argv) {
  const std::string file = argc > 1 ? argv[1] : "";
  std::unique_ptr<Platform> qtPlatform = caplift::platform::makeQtPlatform(argc, argv);
  Marks marks;
  RoadPlatform platform(*qtPlatform, file, marks);
  delegate = new caplift::AppDelegate(platform);
  platform.setDelegate(delegate);

  long launchPeakKiB = 0;
  int windowsShown = 0;
  ExposeWatch watch([&](QWindow*) {
    const auto now = Clock::now();
    if (++windowsShown == 1) {
      std::printf("shown_ns=%lld\n",
                  static_cast<long long>(
                      std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch())
                          .count()));
      std::fflush(stdout);
      if (file.empty()) {
        platform.terminate();
        return;
      }
      launchPeakKiB = peakRssKiB();
      // The user presses the main window's button.
      QTimer::singleShot(0, [&] {
        delegate->openFile();
        platform.terminate();
      });
      return;
    }
    if (platform.previewRunning() && marks.shown == Clock::time_point()) {
      marks.shown = now;
      platform.stopModal();
    }
  });
  qApp->installEventFilter(&watch);
  platform.run();

  if (file.empty()) return 0;
  if (platform.failed() || marks.shown == Clock::time_point()) {
    std::fprintf(stderr, "the preview was not shown\n");
    return 1;
  }
  std::printf("read_ms=%.1f\nconvert_ms=%.1f\npreview_ms=%.1f\nshow_ms=%.1f\n",
              msBetween(marks.readStart, marks.readEnd),
              msBetween(marks.readEnd, marks.previewStart),
              msBetween(marks.previewStart, marks.textSet), msBetween(marks.textSet, marks.shown));
  std::printf("filled_ms=%.1f\nshown_ms=%.1f\n", msBetween(marks.chosen, marks.textSet),
              msBetween(marks.chosen, marks.shown));
  std::printf("launch_peak_kib=%ld\npeak_kib=%ld\n", launchPeakKiB, peakRssKiB());
  return 0;
}
