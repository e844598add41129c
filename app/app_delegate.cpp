#include "app/app_delegate.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QThread>
#include <QToolButton>

#include "app/document_files.h"
#include "app/translations.h"
#include "convert/io/input_path.h"
#include "ui/about_window_controller.h"
#include "ui/frames.h"
#include "ui/large_text_view.h"
#include "ui/localized.h"
#include "ui/main_menu_builder.h"

namespace caplift {

namespace {

constexpr const char* kMainWindowTitle = "Caplift\uFF08SRT extractor\uFF09";
constexpr const char* kTimelineSetting = "timelineTiming";
constexpr const char* kStylingSetting = "keepStyling";
constexpr const char* kFormatSetting = "subtitleFormat";
constexpr const char* kSourceSetting = "cueSource";

// The kind of cue chosen last time, in the order of the preview's choice.
CueSource lastSource() {
  const int chosen = QSettings().value(kSourceSetting).toInt();
  return chosen == 1 ? CueSource::kCaptions : chosen == 2 ? CueSource::kAll : CueSource::kTitles;
}

// The format saved last time, for the name the save dialog proposes.
const SubtitleFormat& lastSavedFormat() {
  const SubtitleFormat* format =
      formatNamed(QSettings().value(kFormatSetting).toString().toStdString());
  return format ? *format : defaultFormat();
}

// "HH:MM:SS" of a timecode start, its frames left out.
QString timecodeOf(double seconds) {
  const auto whole = static_cast<long long>(seconds);
  return QString("%1:%2:%3")
      .arg(whole / 3600, 2, 10, QChar('0'))
      .arg(whole / 60 % 60, 2, 10, QChar('0'))
      .arg(whole % 60, 2, 10, QChar('0'));
}

// In the default mode: what makes the project's timeline place the titles shown elsewhere, as one
// line; empty when nothing does.
QString timelineHint(const DocumentNotes& notes, std::size_t cues) {
  if (notes.projects == 0 || cues == 0 || !notes.placesElsewhere()) return {};
  QStringList reasons;
  const auto add = [&](std::size_t count, const char* text) {
    if (count != 0) reasons << QCoreApplication::translate("Caplift", text, nullptr, int(count));
  };
  if (notes.tcStart != 0) {
    reasons
        << QCoreApplication::translate("Caplift", "starts at %1").arg(timecodeOf(notes.tcStart));
  }
  add(notes.inClips, QT_TRANSLATE_N_NOOP("Caplift", "%n in compound clips"));
  add(notes.disabled, QT_TRANSLATE_N_NOOP("Caplift", "%n disabled"));
  add(notes.inAuditions, QT_TRANSLATE_N_NOOP("Caplift", "%n in auditions"));
  add(notes.onNestedLanes, QT_TRANSLATE_N_NOOP("Caplift", "%n on nested lanes"));
  add(notes.inOtherProjects, QT_TRANSLATE_N_NOOP("Caplift", "%n in other projects"));
  return QCoreApplication::translate("Caplift", "Timeline timing differs: %1")
      .arg(reasons.join(QCoreApplication::translate("Caplift", ", ")));
}

// Ticks the box for the timeline mode and says which project it placed, or that there is none,
// with the projects to choose from when there are several; in the default mode, why the timeline
// would place the titles elsewhere.
void showPlacement(PreviewWindow& preview, const std::optional<TimelineResult>& placed,
                   const DocumentNotes& notes, std::size_t cues) {
  const QSignalBlocker quiet(preview.timelineBox);
  const QSignalBlocker quietProjects(preview.projectBox);
  preview.timelineBox->setChecked(placed.has_value());
  const auto project = placed ? placed->project : std::nullopt;
  const bool choice = project && placed->projects.size() > 1;
  const QString hint = placed ? QString() : timelineHint(notes, cues);
  QLabel& line = *preview.placement;
  line.setText(!placed  ? line.fontMetrics().elidedText(hint, Qt::ElideRight, line.width())
               : choice ? QCoreApplication::translate("Caplift", "Placed on the timeline of")
               : project ? QCoreApplication::translate("Caplift", "Placed on the timeline of “%1”")
                               .arg(QString::fromStdString(*project))
                         : QCoreApplication::translate(
                               "Caplift", "The document has no project with a timeline."));
  line.setToolTip(hint.isEmpty() ? QString()
                                 : hint + "\n" +
                                       QCoreApplication::translate(
                                           "Caplift",
                                           "Tick Timeline timing to place them as the project's "
                                           "timeline shows them."));
  preview.projectBox->setVisible(choice);
  if (!choice) return;
  preview.projectBox->clear();
  for (const std::string& name : placed->projects) {
    preview.projectBox->addItem(QString::fromStdString(name));
  }
  preview.projectBox->setCurrentText(QString::fromStdString(*project));
  QRect box = preview.projectBox->geometry();
  box.moveLeft(line.x() + line.fontMetrics().horizontalAdvance(line.text()) + 6);
  preview.projectBox->setGeometry(box);
}

// Sets the kind chosen, the roles menu (each role with its count, ticked unless left out) and
// what an empty text says: how to show the other kind, when only that has cues.
void showCueChoice(PreviewWindow& preview, const CueChoice& choice,
                   const std::vector<RoleCount>& roles, std::size_t otherKind,
                   const DocumentNotes& notes) {
  const QSignalBlocker quiet(preview.sourceBox);
  preview.sourceBox->setCurrentIndex(static_cast<int>(choice.source));
  QMenu* menu = preview.rolesButton->menu();
  menu->clear();
  int ticked = 0;
  for (const RoleCount& role : roles) {
    const QString name = QString::fromStdString(role.role);
    QAction* action = menu->addAction(QString("%1 (%2)").arg(name).arg(role.cues));
    action->setData(name);
    action->setCheckable(true);
    const auto& dropped = choice.droppedRoles;
    action->setChecked(std::find(dropped.begin(), dropped.end(), role.role) == dropped.end());
    ticked += action->isChecked() ? 1 : 0;
  }
  preview.rolesButton->setText(
      QCoreApplication::translate("Caplift", "Roles (%1 of %2)").arg(ticked).arg(roles.size()));
  preview.rolesButton->setEnabled(!roles.empty());
  const char* other =
      otherKind == 0 ? nullptr
      : choice.source == CueSource::kCaptions
          ? QT_TRANSLATE_NOOP("Caplift",
                              "This document has no captions, but it has titles (%1): choose "
                              "Titles above to show them.")
          : QT_TRANSLATE_NOOP("Caplift",
                              "This document has no titles, but it has captions (%1): choose "
                              "Captions above to show them.");
  preview.textView->setPlaceholderText(
      !notes.isFcpxml()
          ? QCoreApplication::translate("Caplift",
                                        "This is not a Final Cut Pro X export: its root element is "
                                        "<%1>. Export the project with File › Export XML… and "
                                        "open that file.")
                .arg(QString::fromStdString(notes.root))
      : other ? QCoreApplication::translate("Caplift", other).arg(otherKind)
              : localized("no_titles"));
}

}  // namespace

AppDelegate::AppDelegate(platform::Dialogs& dialogs) : dialogs_(dialogs) {}

void AppDelegate::requireMainThread(const char* entryPoint) const {
  if (QThread::currentThread() != thread()) {
    qFatal("caplift: AppDelegate::%s called off the main thread", entryPoint);
  }
}

void AppDelegate::applicationDidFinishLaunching() {
  requireMainThread("applicationDidFinishLaunching");
  MainMenuBuilder::build(this);

  const QScreen* screen = QGuiApplication::primaryScreen();
  window = std::make_unique<MainWindow>(
      mainWindowContentRect(screen ? std::optional(screen->geometry().size().toSizeF())
                                   : std::nullopt),
      [this] { return !busy(); },
      [this](const QString& path) { openDocument(path.toStdString()); });
  window->setWindowTitle(QString::fromUtf8(kMainWindowTitle));
  window->show();
  window->activateWindow();

  auto* button = new QPushButton(localized("choose"), window->centralWidget());
  button->setGeometry(fromBottomLeft(100, 80, 200, 40, 200).toRect());
  connect(button, &QPushButton::clicked, this, &AppDelegate::openFile);
  button->show();

  if (auto path = std::exchange(fileToOpenAtLaunch_, std::nullopt)) applicationOpenFile(*path);
}

void AppDelegate::applicationOpenFile(const QString& path) {
  requireMainThread("applicationOpenFile");
  // Absolute and clean, as the open dialog gives it, so that an alert names the file in full. A
  // relative path counts from where the application was started.
  const QString chosen = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  if (!window) {
    fileToOpenAtLaunch_ = chosen;
    return;
  }
  // From the event loop, once the main window is on screen. A dialog still waiting for the user
  // keeps it out: it would start a second workflow inside the first.
  QMetaObject::invokeMethod(
      this,
      [this, chosen = chosen.toStdString()] {
        if (!QApplication::activeModalWidget()) openDocument(chosen);
      },
      Qt::QueuedConnection);
}

void AppDelegate::openFile() {
  requireMainThread("openFile");
  if (auto chosen = dialogs_.chooseFile(localized("choose"))) openDocument(chosen->toStdString());
}

void AppDelegate::openDocument(const std::string& inputPath) {
  requireMainThread("openDocument");
  // A drop while a preview is open would start a second workflow inside the first.
  if (busy()) return;
  CueChoice choice;
  choice.source = lastSource();
  choice.styles = QSettings().value(kStylingSetting).toBool() ? kKeepAll : 0;
  Converted converted = convert(inputPath, QSettings().value(kTimelineSetting).toBool(), choice);
  // A document that the timeline mode cannot place still opens as it stands, the box free to use.
  if (converted.failure && converted.placed) converted = convert(inputPath, false, choice);
  if (converted.failure) return showFailure(*converted.failure);
  // What the preview shows, shared by the answers that replace it and save it.
  auto shown = std::make_shared<Converted>(std::move(converted));
  showSRTPreviewDialog(
      shown->srt,
      [this, inputPath, shown](bool save) { save ? saveSRT(inputPath, *shown) : openFile(); },
      [this, inputPath, shown](PreviewWindow& preview) {
        const auto show = [shown, &preview] {
          showPlacement(preview, shown->placed, shown->notes, shown->cues);
          showCueChoice(preview, shown->choice, shown->roles, shown->otherKind, shown->notes);
          const QSignalBlocker quiet(preview.stylingBox);
          preview.stylingBox->setChecked(shown->choice.styles != 0);
        };
        show();
        // Another mode, kind or set of roles converts the same file again and replaces the
        // text; the controls keep to the text shown. `setting` is remembered once it worked.
        const auto again = [=, this, &preview](bool timeline, const CueChoice& choice,
                                               const char* setting, const QVariant& value) {
          Converted converted = convert(inputPath, timeline, choice);
          if (converted.failure) showFailure(*converted.failure);
          if (!converted.failure) {
            *shown = std::move(converted);
            preview.textView->setText(shown->srt);
            if (setting != nullptr) QSettings().setValue(setting, value);
          }
          show();
        };
        connect(preview.timelineBox, &QCheckBox::toggled, this,
                [=](bool timeline) { again(timeline, shown->choice, kTimelineSetting, timeline); });
        // Another project is placed at once, in the timeline mode it belongs to.
        connect(preview.projectBox, &QComboBox::currentTextChanged, this, [=](const QString& name) {
          CueChoice choice = shown->choice;
          choice.project = name.toStdString();
          again(true, choice, nullptr, {});
        });
        connect(preview.sourceBox, &QComboBox::currentIndexChanged, this, [=](int index) {
          CueChoice choice = shown->choice;
          choice.source = static_cast<CueSource>(index);
          again(shown->placed.has_value(), choice, kSourceSetting, index);
        });
        connect(preview.rolesButton->menu(), &QMenu::triggered, this, [=](QAction* action) {
          CueChoice choice = shown->choice;
          const std::string role = action->data().toString().toStdString();
          auto& dropped = choice.droppedRoles;
          if (action->isChecked()) {
            dropped.erase(std::remove(dropped.begin(), dropped.end(), role), dropped.end());
          } else {
            dropped.push_back(role);
          }
          again(shown->placed.has_value(), choice, nullptr, {});
        });
        // Styled or plain, in the mode shown, the same way.
        connect(preview.stylingBox, &QCheckBox::toggled, this, [=](bool styled) {
          CueChoice choice = shown->choice;
          choice.styles = styled ? kKeepAll : 0;
          again(shown->placed.has_value(), choice, kStylingSetting, styled);
        });
      });
}

// Reading and converting a large export takes a while: the cursor says so at once, and a
// progress bar once it has taken half a second.
AppDelegate::Converted AppDelegate::convert(const std::string& inputPath, bool timeline,
                                            const CueChoice& choice) {
  auto placed = timeline ? std::optional(TimelineResult()) : std::nullopt;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  converting_ = true;
  QWidget* over = previewWindow ? static_cast<QWidget*>(previewWindow.get()) : window.get();
  Converted converted;
  ConversionReport report;
  ExtractResult result =
      convertChosenDocument(inputPath, over, placed ? &*placed : nullptr, choice, &report);
  converted.roles = std::move(report.roles);
  converted.cues = report.cues;
  converted.notes = std::move(report.notes);
  // Nothing of the kind chosen: the other kind is counted, so that the preview can point to it.
  if (result.ok() && converted.roles.empty() && choice.source != CueSource::kAll) {
    CueChoice other;
    other.source = choice.source == CueSource::kTitles ? CueSource::kCaptions : CueSource::kTitles;
    other.project = choice.project;
    ConversionReport found;
    TimelineResult ignored;
    convertChosenDocument(inputPath, over, timeline ? &ignored : nullptr, other, &found);
    for (const RoleCount& role : found.roles) converted.otherKind += role.cues;
  }
  converting_ = false;
  QApplication::restoreOverrideCursor();
  converted.srt = std::make_shared<const std::string>(std::move(result.srt));
  converted.placed = placed;
  converted.failure = result.failure;
  converted.choice = choice;
  return converted;
}

void AppDelegate::showFailure(const ConversionFailure& failure) {
  const char* key =
      failure.kind == ConversionFailure::Kind::kParse ? "file_parse_fail" : "file_read_fail";
  showAlert(localized(key) + ": " + localizedDescription(failure));
}

void AppDelegate::showSRTPreviewDialog(std::shared_ptr<const std::string> srtText,
                                       PreviewCompletion completion,
                                       const std::function<void(PreviewWindow&)>& prepare) {
  // Held here as well as in the field, which an answer empties while the loop still runs.
  auto preview = std::make_shared<PreviewWindow>(std::move(srtText), window.get());
  const auto connectButton = [this](QPushButton* button,
                                    void (AppDelegate::*action)(QPushButton*)) {
    connect(button, &QPushButton::clicked, this,
            [this, button, action] { (this->*action)(button); });
  };
  connectButton(preview->saveButton, &AppDelegate::handleOKButton);
  connectButton(preview->cancelButton, &AppDelegate::handleCancelButton);
  connectButton(preview->backButton, &AppDelegate::handleBackButton);
  preview->willClose = [this](PreviewWindow* closing) { windowWillClose(closing); };
  prepare(*preview);
  previewWindow = preview;
  previewCompletion = std::move(completion);
  ++runningPreviewLoops_;
  preview->exec();
  --runningPreviewLoops_;
}

void AppDelegate::handleOKButton(QPushButton* /*sender*/) {
  requireMainThread("handleOKButton");
  answerPreview(true);
}

void AppDelegate::handleBackButton(QPushButton* /*sender*/) {
  requireMainThread("handleBackButton");
  answerPreview(false);
}

// The answer is queued, so that it runs after the modal loop and showSRTPreviewDialog have
// returned: a back then starts its new open dialog from the event loop, not inside the preview.
void AppDelegate::answerPreview(bool save) {
  if (!previewWindow) return;
  previewWindow->done(QDialog::Accepted);  // the loop ends once this action has returned
  previewWindow->hide();
  PreviewCompletion completion = std::move(previewCompletion);
  previewWindow.reset();
  previewCompletion = nullptr;
  runAfterPreviewLoops([completion = std::move(completion), save] {
    if (completion) completion(save);
  });
}

// Qt may deliver a queued call while a loop that has been told to end still unwinds; a call that
// comes that early waits for the next turn of the event loop.
void AppDelegate::runAfterPreviewLoops(std::function<void()> work) {
  QMetaObject::invokeMethod(
      this,
      [this, work = std::move(work)]() mutable {
        if (runningPreviewLoops_ > 0) return runAfterPreviewLoops(std::move(work));
        work();
      },
      Qt::QueuedConnection);
}

void AppDelegate::handleCancelButton(QPushButton* /*sender*/) {
  requireMainThread("handleCancelButton");
  if (!previewWindow) return;
  previewWindow->done(QDialog::Rejected);
  previewWindow->hide();
  previewWindow.reset();
  previewCompletion = nullptr;
}

void AppDelegate::saveSRT(const std::string& inputPath, const Converted& shown) {
  const auto target = dialogs_.chooseTarget(
      localized("save_file"),
      QString::fromStdString(proposedSubtitleName(inputPath, lastSavedFormat().extension)));
  if (!target) return;
  // The name decides the format: anything but a known extension is SubRip, as shown.
  const std::string path = target->toStdString();
  const SubtitleFormat* named = formatOfPath(path);
  const SubtitleFormat& format = named ? *named : defaultFormat();
  std::optional<ConversionFailure> failure;
  if (&format == &defaultFormat()) {
    failure = writeSubtitles(path, *shown.srt, inputPath);
  } else {
    ConversionOptions options;
    options.format = &format;
    if (shown.placed) options.timeline.emplace().project = shown.choice.project;
    options.source = shown.choice.source;
    options.droppedRoles = shown.choice.droppedRoles;
    options.styles = shown.choice.styles;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    converting_ = true;
    failure = exportSubtitles(path, inputPath, options, window.get());
    converting_ = false;
    QApplication::restoreOverrideCursor();
  }
  if (!failure) {
    QSettings().setValue(kFormatSetting,
                         QString::fromUtf8(format.name.data(), qsizetype(format.name.size())));
  }
  if (failure) {
    showAlert(localized("save_failed") + ": " + localizedDescription(*failure));
  } else {
    // A name may hold control characters; the alert shows them as replacement characters.
    showAlert(localized("save_finish") + "\n" + QString::fromStdString(displayable(path)));
  }
}

void AppDelegate::showAlert(const QString& message) {
  dialogs_.runAlert(localized("alert_notify"), message, localized("ok"));
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() {
  requireMainThread("applicationShouldTerminateAfterLastWindowClosed");
  return true;
}

void AppDelegate::showAboutWindow() {
  requireMainThread("showAboutWindow");
  AboutWindowController::show();
}

// Only the preview window reports here. Its fields are taken out before the completion runs: the
// completion starts openFile, whose next preview fills them again.
void AppDelegate::windowWillClose(QWidget* closing) {
  requireMainThread("windowWillClose");
  if (!previewWindow || closing == nullptr || closing != previewWindow.get()) return;
  previewWindow->done(QDialog::Rejected);
  // Kept until this callback returns: Qt is still closing it.
  const std::shared_ptr<PreviewWindow> closingWindow = std::exchange(previewWindow, nullptr);
  PreviewCompletion completion = std::exchange(previewCompletion, nullptr);
  if (completion) completion(false);
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event) {
  if (watched != qApp || event->type() != QEvent::FileOpen) {
    return QObject::eventFilter(watched, event);
  }
  applicationOpenFile(static_cast<QFileOpenEvent*>(event)->file());
  return true;
}

int runApplication(AppDelegate& delegate) {
  QApplication::setQuitOnLastWindowClosed(false);
  qApp->installEventFilter(&delegate);
  const auto connection =
      QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &delegate, [&delegate] {
        if (delegate.applicationShouldTerminateAfterLastWindowClosed()) {
          QCoreApplication::exit(0);
        }
      });
  QMetaObject::invokeMethod(&delegate, &AppDelegate::applicationDidFinishLaunching,
                            Qt::QueuedConnection);
  const int status = QApplication::exec();
  QObject::disconnect(connection);
  return status;
}

}  // namespace caplift
