#include "app/progress_source.h"

#include <algorithm>

#include <QCoreApplication>

namespace caplift {

constexpr int kSteps = 1000;

// A file that reports no size gets a busy bar. The window offers no button: the conversion cannot
// be stopped, nor its bar closed.
ProgressSource::ProgressSource(ByteSource& source, std::uint64_t total, const QString& label,
                               QWidget* parent, int showAfterMs)
    : source_(source),
      total_(total),
      bar_(std::make_unique<QProgressDialog>(
          label, QString(), 0, total > 0 ? kSteps : 0, parent,
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)),
      nextUpdate_(showAfterMs) {
  bar_->setWindowTitle(QCoreApplication::applicationName());
  bar_->setAutoReset(false);  // which would hide it, full, before the end
  // While it shows, clicks and keys must not reach the windows below: they would start another
  // conversion or a save inside this one.
  bar_->setWindowModality(Qt::ApplicationModal);
  clock_.start();
}

long ProgressSource::read(char* buffer, std::size_t capacity) {
  const long count = source_.read(buffer, capacity);
  done_ += std::uint64_t(std::max(count, 0L));
  if (clock_.elapsed() < nextUpdate_) return count;
  nextUpdate_ = clock_.elapsed() + 50;
  if (total_ > 0) bar_->setValue(int(std::min(done_, total_) * kSteps / total_));
  bar_->show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return count;
}

}  // namespace caplift
