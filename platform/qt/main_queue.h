#pragma once

#include <deque>
#include <functional>

#include <QObject>

namespace caplift::platform::qt {

// Work posted to run later on the main thread, one item per event, in order. An item waits while
// `mayRun` says no (a modal loop that was told to stop has not returned yet) and while another
// item is still running, as a serial queue would.
class MainQueue : public QObject {
 public:
  explicit MainQueue(std::function<bool()> mayRun);
  void post(std::function<void()> work);
  // Wakes the queue again after `mayRun` may have changed.
  void resume();
  void clear();
  bool empty() const { return items_.empty(); }

 protected:
  bool event(QEvent* event) override;

 private:
  void scheduleWakeUp();

  std::function<bool()> mayRun_;
  std::deque<std::function<void()>> items_;
  bool wakeUpPosted_ = false;
  bool running_ = false;
};

}  // namespace caplift::platform::qt
