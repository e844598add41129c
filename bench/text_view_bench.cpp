// Times the preview's text view on a 200 000-cue SRT of about 20 MB. With --show it stays open
// for scrolling by hand; under QT_QPA_PLATFORM=offscreen it prints the figures and ends.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <QApplication>
#include <QScrollBar>

#include "ui/large_text_view.h"
#include "ui/preview_window.h"

namespace {

std::string bigSrt(int cues) {
  std::string srt;
  srt.reserve(std::size_t(cues) * 100);
  char timing[64];
  for (int i = 1; i <= cues; ++i) {
    const int s = i * 2;
    std::snprintf(timing, sizeof timing, "%02d:%02d:%02d,000 --> %02d:%02d:%02d,500\n", s / 3600,
                  s / 60 % 60, s % 60, s / 3600, s / 60 % 60, s % 60);
    srt += std::to_string(i) + "\n" + timing + "Subtitle line number " + std::to_string(i) +
           " with a little text: 字幕のテスト\n\n";
  }
  return srt;
}

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  const bool show = argc > 1 && std::strcmp(argv[1], "--show") == 0;
  QApplication application(argc, argv);
  const auto srt = std::make_shared<const std::string>(bigSrt(200000));
  std::printf("SRT: %zu bytes, 200000 cues\n", srt->size());

  caplift::LargeTextView view;
  view.resize(560, 300);
  view.setFont(caplift::previewFont());
  auto start = std::chrono::steady_clock::now();
  view.setText(srt);
  std::printf("setText: %.0f ms\n", msSince(start));
  start = std::chrono::steady_clock::now();
  view.show();
  view.repaint();
  QApplication::processEvents();
  std::printf("show and first paint: %.0f ms\n", msSince(start));

  start = std::chrono::steady_clock::now();
  QScrollBar* bar = view.verticalScrollBar();
  for (int step = 0; step < 100; ++step) {
    bar->setValue(bar->maximum() / 100 * step);
    view.repaint();
  }
  std::printf("100 jumps through the text, each painted: %.0f ms\n", msSince(start));
  start = std::chrono::steady_clock::now();
  for (int step = 0; step < 200; ++step) {
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    view.repaint();
  }
  std::printf("200 line steps, each painted: %.0f ms\n", msSince(start));
  return show ? QApplication::exec() : 0;
}
