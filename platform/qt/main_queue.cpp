#include "platform/qt/main_queue.h"

#include <QCoreApplication>
#include <QEvent>

namespace caplift::platform::qt {

namespace {
const QEvent::Type kWakeUp = static_cast<QEvent::Type>(QEvent::registerEventType());
}  // namespace

MainQueue::MainQueue(std::function<bool()> mayRun) : mayRun_(std::move(mayRun)) {}

void MainQueue::post(std::function<void()> work) {
  items_.push_back(std::move(work));
  scheduleWakeUp();
}

void MainQueue::resume() {
  if (!items_.empty()) scheduleWakeUp();
}

void MainQueue::clear() {
  items_.clear();
}

void MainQueue::scheduleWakeUp() {
  if (wakeUpPosted_ || running_) return;
  wakeUpPosted_ = true;
  QCoreApplication::postEvent(this, new QEvent(kWakeUp));
}

bool MainQueue::event(QEvent* event) {
  if (event->type() != kWakeUp) return QObject::event(event);
  wakeUpPosted_ = false;
  // Blocked: resume() wakes the queue once the stopped loop has returned.
  if (items_.empty() || running_ || !mayRun_()) return true;
  std::function<void()> work = std::move(items_.front());
  items_.pop_front();
  running_ = true;
  work();
  running_ = false;
  if (!items_.empty()) scheduleWakeUp();
  return true;
}

}  // namespace caplift::platform::qt
