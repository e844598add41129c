// Times the desktop app, started as caplift's own main() starts it (one AppDelegate, the event
// loop), with the open dialog answered by the benchmark. It notes when each step is
// reached from the events the windows get.
//
//   caplift_bench_app          launch: prints "shown_ns=<CLOCK_MONOTONIC>" as soon as the main
//                              window has been exposed and painted, then ends
//   caplift_bench_app FILE     also, from the shown main window, runs openFile with FILE chosen,
//                              and prints how long it took to a painted preview: reading
//                              and converting, building the preview (the text set into the real
//                              text view), showing it
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
#include <string>

#include "app/app_delegate.h"

namespace {

using Clock = std::chrono::steady_clock;

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

// When the steps were reached.
struct Marks {
  Clock::time_point chosen, previewMade, previewFilled, previewShown;
};

// Answers the open dialog with the file once; any alert means the conversion failed.
class BenchDialogs final : public caplift::platform::Dialogs {
 public:
  BenchDialogs(QString file, Marks& marks) : file_(std::move(file)), marks_(marks) {}
  std::optional<QString> chooseFile(const QString&) override {
    if (std::exchange(answered_, true)) return std::nullopt;
    marks_.chosen = Clock::now();
    return file_;
  }
  std::optional<QString> chooseTarget(const QString&, const QString&) override { return {}; }
  void runAlert(const QString&, const QString& message, const QString&) override {
    std::fprintf(stderr, "alert: %s\n", qPrintable(message));
    failed = true;
  }
  bool failed = false;

 private:
  QString file_;
  Marks& marks_;
  bool answered_ = false;
};

// Notes the steps from the events: the preview made (the last child window the main window gets
// before the preview shows; a progress window may come before it), shown (its text set before),
// and exposed with its first painting done.
class StepWatch final : public QObject {
 public:
  StepWatch(Marks& marks, std::function<void(QWindow*)> exposed)
      : marks_(marks), exposed_(std::move(exposed)) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    const bool started = marks_.chosen != Clock::time_point();
    if (started && event->type() == QEvent::ChildAdded &&
        marks_.previewFilled == Clock::time_point() && dynamic_cast<caplift::MainWindow*>(object)) {
      marks_.previewMade = Clock::now();
    } else if (started && event->type() == QEvent::Show &&
               dynamic_cast<caplift::PreviewWindow*>(object)) {
      marks_.previewFilled = Clock::now();
    } else if (event->type() == QEvent::Expose) {
      auto* window = qobject_cast<QWindow*>(object);
      if (window && window->isExposed() && !seen_.contains(window)) {
        seen_.insert(window);
        QTimer::singleShot(0, this, [this, window] { exposed_(window); });
      }
    }
    return false;
  }

 private:
  Marks& marks_;
  std::function<void(QWindow*)> exposed_;
  QSet<QWindow*> seen_;
};

}  // namespace

caplift::AppDelegate* delegate = nullptr;

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  Marks marks;
  BenchDialogs dialogs(file, marks);
  delegate = new caplift::AppDelegate(dialogs);

  long launchPeakKiB = 0;
  int windowsShown = 0;
  StepWatch watch(marks, [&](QWindow*) {
    const auto now = Clock::now();
    if (++windowsShown == 1) {
      std::printf("shown_ns=%lld\n",
                  static_cast<long long>(
                      std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch())
                          .count()));
      std::fflush(stdout);
      if (file.isEmpty()) return QCoreApplication::exit(0);
      launchPeakKiB = peakRssKiB();
      // The user presses the main window's button.
      QTimer::singleShot(0, [] {
        delegate->openFile();
        QCoreApplication::exit(0);
      });
      return;
    }
    if (marks.previewFilled != Clock::time_point() && marks.previewShown == Clock::time_point()) {
      marks.previewShown = now;
      if (delegate->previewWindow) delegate->previewWindow->done(0);
    }
  });
  application.installEventFilter(&watch);
  caplift::runApplication(*delegate);

  if (file.isEmpty()) return 0;
  if (dialogs.failed || marks.previewShown == Clock::time_point()) {
    std::fprintf(stderr, "the preview was not shown\n");
    return 1;
  }
  std::printf("convert_ms=%.1f\npreview_ms=%.1f\nshow_ms=%.1f\n",
              msBetween(marks.chosen, marks.previewMade),
              msBetween(marks.previewMade, marks.previewFilled),
              msBetween(marks.previewFilled, marks.previewShown));
  std::printf("filled_ms=%.1f\nshown_ms=%.1f\n", msBetween(marks.chosen, marks.previewFilled),
              msBetween(marks.chosen, marks.previewShown));
  std::printf("launch_peak_kib=%ld\npeak_kib=%ld\n", launchPeakKiB, peakRssKiB());
  return 0;
}
