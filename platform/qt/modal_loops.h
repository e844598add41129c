#pragma once

#include <functional>
#include <vector>

class QEventLoop;

namespace caplift::platform::qt {

// The stack of nested modal loops. A loop told to stop stays on the stack until its exec() has
// returned; work that must not run inside a closing loop asks stopPending().
class ModalLoops {
 public:
  // Runs a nested loop until stopInnermost() or stopAll() ends it.
  void run();
  // Ends the innermost running loop once the current event has returned; no-op when none runs.
  void stopInnermost();
  void stopAll();
  bool stopPending() const;
  int depth() const { return static_cast<int>(stack_.size()); }
  // Called each time a loop has returned (after it left the stack).
  void setOnLoopReturned(std::function<void()> callback) { onLoopReturned_ = std::move(callback); }

 private:
  struct Entry {
    QEventLoop* loop;
    bool stopped;
  };
  std::vector<Entry> stack_;
  std::function<void()> onLoopReturned_;
};

}  // namespace caplift::platform::qt
