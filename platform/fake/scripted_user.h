#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace caplift::platform::fake {

// One answer of the scripted user, taken by the next modal operation that runs.
struct UserStep {
  enum class Kind {
    kChooseFile,    // open or save panel: confirm `path`
    kCancelPanel,   // open or save panel: cancel
    kPress,         // modal window: press the button titled `title`
    kCloseWindow,   // modal window: close it
    kDismissAlert,  // alert: press the button at `buttonIndex`
    kInspect,       // any modal operation, as it starts: run `check`, then take the next step
  };
  Kind kind;
  std::string path;
  std::string title;
  int buttonIndex = 0;
  std::function<void()> check;

  std::string describe() const;
};

// The queue of answers a test scripts up front: chooseFile("/tmp/a.fcpxml").press("save_ok")...
// Each modal operation of the fake platform takes the next step; a step of the wrong kind, or no
// step at all, is a script error.
class ScriptedUser {
 public:
  ScriptedUser& chooseFile(std::string path);
  ScriptedUser& cancelPanel();
  ScriptedUser& press(std::string buttonTitle);
  ScriptedUser& closeWindow();
  ScriptedUser& dismissAlert(int buttonIndex = 0);
  // Runs `check` as the next modal operation starts (the panel, alert or modal window is up),
  // before that operation takes its own step: a way to look at the state in the middle of a run.
  ScriptedUser& inspect(std::function<void()> check);

  // Runs the leading inspect steps, then takes the next step when it is one of the kinds a `what`
  // accepts; otherwise leaves it queued and returns nothing, with `error` describing the mismatch.
  std::optional<UserStep> take(const char* what, UserStep::Kind a, UserStep::Kind b,
                               std::string& error);

  bool empty() const { return steps_.empty(); }
  std::size_t remaining() const { return steps_.size(); }
  const std::deque<UserStep>& steps() const { return steps_; }
  void clear() { steps_.clear(); }

 private:
  ScriptedUser& push(UserStep step);
  std::deque<UserStep> steps_;
};

}  // namespace caplift::platform::fake
