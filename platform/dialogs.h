#pragma once

#include <optional>

#include <QString>

namespace caplift::platform {

// What the workflow asks of the user: each question blocks until it is answered. The application
// asks through Qt's dialogs (QtDialogs); tests answer from a script.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The export to open: an .fcpxml or .xml file, or an .fcpxmld bundle folder. Nothing when the
  // user cancels.
  virtual std::optional<QString> chooseFile(const QString& title) = 0;
  // Where to save subtitles, proposing `proposedName`; nothing when the user cancels.
  virtual std::optional<QString> chooseTarget(const QString& title,
                                              const QString& proposedName) = 0;
  // An alert with a bold `title`, the `message` below it and one button.
  virtual void runAlert(const QString& title, const QString& message, const QString& button) = 0;
};

}  // namespace caplift::platform
