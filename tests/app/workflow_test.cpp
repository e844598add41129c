// The cases of data/workflow.cases, each a test, through the real windows with the dialogs
// scripted.
#include <gtest/gtest.h>
#include <algorithm>
#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/translations.h"
#include "tests/app/harness.h"
#include "tests/support/case_file.h"
#include "ui/large_text_view.h"

namespace caplift::testing {
namespace {

struct Case {
  std::string name;
  QStringList language, settings, launch, makes, answers, expected, holds;
  std::optional<QStringList> folder;
  std::vector<int> unknownLines;  // in the table, for the test to fail on
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

std::vector<Case> readCases() {
  const std::map<std::string, QStringList Case::*> fields = {
      {"language", &Case::language}, {"setting", &Case::settings}, {"launch", &Case::launch},
      {"make", &Case::makes},        {">", &Case::answers},        {"<", &Case::expected},
      {"holds", &Case::holds}};
  std::vector<Case> cases;
  for (const test::Case& read : test::loadCases(dataFile("workflow.cases").toStdString())) {
    Case& c = cases.emplace_back();
    c.name = read.name;
    for (const test::CaseLine& line : read.lines) {
      const QString rest = QString::fromStdString(line.rest);
      if (line.directive == "folder") {
        c.folder = rest.split(", ", Qt::SkipEmptyParts);
      } else {
        if (fields.contains(line.directive)) {
          (c.*fields.at(line.directive)).append(rest);
        } else {
          c.unknownLines.push_back(line.number);
        }
      }
    }
  }
  return cases;
}

// Plays the user's part of a case: drops on the main window or presses its button, and acts in
// the preview from inside its modal loop once the answer that leads there has been given.
class User {
 public:
  explicit User(LaunchedApp& launched) : launched_(launched) {
    launched_.dialogs.afterAnswer = [this] { actInPreviewSoon(); };
  }
  void start(bool fileGiven) {
    // A file given at launch opens by itself; the user answers what it brings.
    if (fileGiven) return actInPreviewSoon();
    while (answers().value(0).startsWith("drop ")) {
      if (drop(answers().takeFirst())) return actInPreviewSoon();
    }
    if (!answers().isEmpty()) launched_.chooseButton()->click();
  }

 private:
  QStringList& answers() { return launched_.dialogs.answers; }

  // Drags the files over the main window and drops them there; notes whether they were taken.
  bool drop(const QString& action) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& name : action.mid(5).split(", ")) {
      urls.append(name.contains("://") ? QUrl(name)
                                       : QUrl::fromLocalFile(launched_.dir.filePath(name)));
    }
    data.setUrls(urls);
    QWidget& window = *launched_.app.window;
    auto* highlight = window.findChild<QLabel*>("dropHighlight");
    QDragEnterEvent enter(window.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enter);
    const bool highlighted = highlight->isVisible();
    QDropEvent drop(window.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
    if (enter.isAccepted()) QCoreApplication::sendEvent(&window, &drop);
    launched_.dialogs.note(QString("drop: %1%2")
                               .arg(enter.isAccepted() ? "taken" : "refused",
                                    highlighted == enter.isAccepted() && !highlight->isVisible()
                                        ? ""
                                        : ", highlight wrong"));
    return enter.isAccepted();
  }

  // Notes the text shown ("[KEY]": the placeholder), with the line below it when the box is ticked.
  void notePreview(const PreviewWindow& preview) {
    const QString text = QString::fromStdString(preview.textView->text());
    const QString project =
        preview.projectBox->isHidden() ? QString() : " “" + preview.projectBox->currentText() + "”";
    const QString line = preview.placement->toolTip().section('\n', 0, 0);
    const QString mode = preview.timelineBox->isChecked()
                             ? " [timeline: " + preview.placement->text() + project + "]"
                         : line.isEmpty() ? QString()
                                          : " [hint: " + line + "]";
    const auto roles = preview.rolesButton->menu()->actions();
    const bool allTicked =
        std::all_of(roles.begin(), roles.end(), [](QAction* role) { return role->isChecked(); });
    launched_.dialogs.note(
        "preview" + mode + (allTicked ? "" : " [" + preview.rolesButton->text() + "]") + ": " +
        (text.isEmpty() ? "[" + preview.textView->placeholderText() + "]" : text));
  }

  void actInPreviewSoon() {
    QStringList actions;
    static const QRegularExpression inPreview(
        "^(press |drop |delete |close$|toggle$|style$|choose |untick |project )");
    while (answers().value(0).contains(inPreview)) actions.append(answers().takeFirst());
    if (actions.isEmpty()) return;
    QTimer::singleShot(0, [this, actions] {
      PreviewWindow* preview = shownPreview();
      if (preview == nullptr) return launched_.dialogs.note("(no preview)");
      notePreview(*preview);
      for (const QString& action : actions) {
        if (action == "close") preview->close();
        if (action.startsWith("drop ")) drop(action);
        if (action.startsWith("delete ")) QFile::remove(launched_.dir.filePath(action.mid(7)));
        if (action == "toggle") preview->timelineBox->click(), notePreview(*preview);
        if (action.startsWith("choose ")) {
          preview->sourceBox->setCurrentText(action.mid(7)), notePreview(*preview);
        }
        for (QAction* role : preview->rolesButton->menu()->actions()) {
          if (action == "untick " + role->data().toString()) role->trigger(), notePreview(*preview);
        }
        if (action == "style") preview->stylingBox->click(), notePreview(*preview);
        if (action.startsWith("project ")) {
          preview->projectBox->setCurrentText(action.mid(8)), notePreview(*preview);
        }
        for (QPushButton* button :
             {preview->saveButton, preview->cancelButton, preview->backButton}) {
          if (action == "press " + button->text()) button->click();
        }
      }
    });
  }

  LaunchedApp& launched_;
};

class Workflow : public ::testing::TestWithParam<Case> {};

TEST_P(Workflow, ThroughTheRealWindows) {
  const Case& c = GetParam();
  EXPECT_EQ(c.unknownLines, std::vector<int>()) << "unknown directives in workflow.cases";
  QSettings().clear();
  for (const QString& set : c.settings)
    QSettings().setValue(set.section('=', 0, 0), set.section('=', 1));
  const auto texts = c.language.isEmpty() ? nullptr : loadTranslation(QLocale(c.language[0]));
  if (texts) QCoreApplication::installTranslator(texts.get());
  LaunchedApp launched(c.launch.value(0));
  const QDir dir(launched.dir.path());
  for (const QString& make : c.makes) {
    const QString name = make.section(" from ", 0, 0);
    QFile file(dir.filePath(name));
    if (name.endsWith('/'))
      dir.mkpath(name);
    else if (file.open(QIODevice::WriteOnly) && make.contains(" from "))
      file.write(bytesOf(dataFile(make.section(" from ", 1))));
  }
  launched.dialogs.answers = c.answers;
  User user(launched);
  user.start(!c.launch.isEmpty());
  ASSERT_TRUE(
      waitUntil([&] { return launched.dialogs.answers.isEmpty() && !launched.app.previewWindow; }));
  QTest::qWait(10);  // an answer still queued asks what it asks
  for (const QString& key : QSettings().allKeys())
    launched.dialogs.note("setting: " + key + "=" + QSettings().value(key).toString());

  std::vector<std::string> expected, shown = launched.dialogs.transcript;
  for (QString line : c.expected) {
    if (const qsizetype data = line.indexOf('@'); data >= 0) {
      line = line.left(data) +
             QString::fromUtf8(bytesOf(dataFile(line.mid(data + 1)))).replace('\n', "\\n");
    }
    const std::size_t i = expected.size();
    if (line.endsWith("...") && i < shown.size() &&
        QString::fromStdString(shown[i]).startsWith(line.chopped(3)))
      shown[i] = line.toStdString();
    expected.push_back(line.toStdString());
  }
  EXPECT_EQ(shown, expected);
  for (const QString& holds : c.holds) {
    const QString data = holds.section(" =", 1).trimmed();
    EXPECT_EQ(bytesOf(dir.filePath(holds.section(" =", 0, 0))),
              data.isEmpty() ? QByteArray() : bytesOf(dataFile(data)))
        << holds.toStdString();
  }
  if (c.folder) {
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), *c.folder);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Workflow, ::testing::ValuesIn(readCases()),
                         test::caseName<::testing::TestParamInfo<Case>>);

}  // namespace
}  // namespace caplift::testing
