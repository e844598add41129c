#include "platform/qt/modal_loops.h"

#include <QEventLoop>

namespace caplift::platform::qt {

void ModalLoops::run() {
  QEventLoop loop;
  stack_.push_back({&loop, false});
  loop.exec(QEventLoop::DialogExec);
  // Loops end innermost first, so this loop is on top again.
  stack_.pop_back();
  if (onLoopReturned_) onLoopReturned_();
}

void ModalLoops::stopInnermost() {
  for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
    if (it->stopped) continue;
    it->stopped = true;
    it->loop->exit(0);
    return;
  }
}

void ModalLoops::stopAll() {
  for (Entry& entry : stack_) {
    entry.stopped = true;
    entry.loop->exit(0);
  }
}

bool ModalLoops::stopPending() const {
  for (const Entry& entry : stack_) {
    if (entry.stopped) return true;
  }
  return false;
}

}  // namespace caplift::platform::qt
