#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QStringList>

#include "platform/dialogs.h"

namespace caplift::testing {

// Answers the workflow's questions from a script and notes what was asked, one line each:
// "open: TITLE", "save: TITLE | NAME", "alert: TITLE | MESSAGE | BUTTON". The test's folder reads
// "{dir}", a line feed "\n", and a busy cursor still shown while asking adds " [busy cursor]".
class ScriptedDialogs final : public platform::Dialogs {
 public:
  QStringList answers;  // "file NAME", "target NAME", "ok"; anything else cancels
  std::vector<std::string> transcript;
  QString folder;  // where the named files are
  std::function<void()> afterAnswer;

  void note(QString line) {
    if (!folder.isEmpty()) line.replace(folder, "{dir}");
    if (QApplication::overrideCursor()) line += " [busy cursor]";
    transcript.push_back(line.replace('\n', "\\n").toStdString());
  }
  std::optional<QString> chooseFile(const QString& title) override {
    note("open: " + title);
    return pathFrom("file ");
  }
  std::optional<QString> chooseTarget(const QString& title, const QString& name) override {
    note("save: " + title + " | " + name);
    return pathFrom("target ");
  }
  void runAlert(const QString& title, const QString& message, const QString& button) override {
    note("alert: " + title + " | " + message + " | " + button);
    pathFrom("ok");
  }

 private:
  std::optional<QString> pathFrom(const QString& prefix) {
    if (answers.isEmpty()) return note("(no answer left)"), std::nullopt;
    const QString answer = answers.takeFirst();
    if (afterAnswer) afterAnswer();
    if (!answer.startsWith(prefix)) return std::nullopt;
    return folder + '/' + answer.mid(prefix.size());
  }
};

}  // namespace caplift::testing
