#include "platform/fake/scripted_user.h"

namespace caplift::platform::fake {

std::string UserStep::describe() const {
  switch (kind) {
    case Kind::kChooseFile:
      return "chooseFile(" + path + ")";
    case Kind::kCancelPanel:
      return "cancelPanel()";
    case Kind::kPress:
      return "press(" + title + ")";
    case Kind::kCloseWindow:
      return "closeWindow()";
    case Kind::kDismissAlert:
      return "dismissAlert(" + std::to_string(buttonIndex) + ")";
    case Kind::kInspect:
      return "inspect(...)";
  }
  return "?";
}

ScriptedUser& ScriptedUser::push(UserStep step) {
  steps_.push_back(std::move(step));
  return *this;
}

ScriptedUser& ScriptedUser::chooseFile(std::string path) {
  return push({UserStep::Kind::kChooseFile, std::move(path), {}, 0, {}});
}

ScriptedUser& ScriptedUser::cancelPanel() {
  return push({UserStep::Kind::kCancelPanel, {}, {}, 0, {}});
}

ScriptedUser& ScriptedUser::press(std::string buttonTitle) {
  return push({UserStep::Kind::kPress, {}, std::move(buttonTitle), 0, {}});
}

ScriptedUser& ScriptedUser::closeWindow() {
  return push({UserStep::Kind::kCloseWindow, {}, {}, 0, {}});
}

ScriptedUser& ScriptedUser::dismissAlert(int buttonIndex) {
  return push({UserStep::Kind::kDismissAlert, {}, {}, buttonIndex, {}});
}

ScriptedUser& ScriptedUser::inspect(std::function<void()> check) {
  return push({UserStep::Kind::kInspect, {}, {}, 0, std::move(check)});
}

std::optional<UserStep> ScriptedUser::take(const char* what, UserStep::Kind a, UserStep::Kind b,
                                           std::string& error) {
  while (!steps_.empty() && steps_.front().kind == UserStep::Kind::kInspect) {
    auto check = std::move(steps_.front().check);
    steps_.pop_front();
    if (check) check();
  }
  if (steps_.empty()) {
    error = std::string(what) + " ran, but the script has no step left";
    return std::nullopt;
  }
  if (steps_.front().kind != a && steps_.front().kind != b) {
    error = std::string(what) + " ran, but the next step is " + steps_.front().describe();
    return std::nullopt;
  }
  UserStep step = std::move(steps_.front());
  steps_.pop_front();
  return step;
}

}  // namespace caplift::platform::fake
