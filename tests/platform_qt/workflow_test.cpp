// One user's road through the real dialogs, offscreen: the main window's button, the open dialog,
// the preview's Save, the save dialog and the alert. The saved file must hold exactly what the
// converter makes of the input.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/app_delegate.h"
#include "convert/extract_srt.h"
#include "platform/qt/large_text_view.h"
#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QPushButton* visibleButton(const std::string& title) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    for (QPushButton* button : top->findChildren<QPushButton*>()) {
      if (button->isVisible() && button->text().toStdString() == title) return button;
    }
  }
  return nullptr;
}

// The text shown by the visible preview, or null while there is none.
LargeTextView* visiblePreviewText() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible() || !top->isModal()) continue;
    for (QAbstractScrollArea* area : top->findChildren<QAbstractScrollArea*>()) {
      if (auto* text = dynamic_cast<LargeTextView*>(area)) return text;
    }
  }
  return nullptr;
}

struct Road {
  std::string previewText;
  QString proposedName;
  QString alertText;
  bool finished = false;
};

// Plays the user: each step arms the next one before it acts, since acting may block in a dialog.
void playUser(const QString& input, const QString& outputFolder, Road& road) {
  const std::string choose = platform().localizedString("choose", "file open button");
  const std::string save = platform().localizedString("save_ok", "Save OK");
  whenReady([=] { return visibleButton(choose) != nullptr; },
            [=, &road] {
              whenShown<QFileDialog>([=, &road](QFileDialog& open) {
                whenReady([] { return visiblePreviewText() != nullptr; },
                          [=, &road] {
                            road.previewText = visiblePreviewText()->text();
                            whenShown<QFileDialog>([=, &road](QFileDialog& saveDialog) {
                              road.proposedName =
                                  saveDialog.findChild<QLineEdit*>("fileNameEdit")->text();
                              whenShown<QMessageBox>([&road](QMessageBox& alert) {
                                road.alertText = alert.informativeText();
                                alert.buttons().front()->click();
                                road.finished = true;
                                later([] { platform().terminate(); });
                              });
                              typeAndAccept(saveDialog,
                                            QDir(outputFolder).filePath(road.proposedName));
                            });
                            visibleButton(save)->click();
                          });
                typeAndAccept(open, input);
              });
              visibleButton(choose)->click();
            });
}

TEST(QtWorkflowTest, FromTheButtonToASavedFile) {
  const QString corpus = QStringLiteral(CAPLIFT_CORPUS_DIR);
  if (!QFileInfo(corpus).isDir()) GTEST_SKIP() << "no corpus at " << corpus.toStdString();
  struct Case {
    const char* input;     // what the user picks
    const char* document;  // what gets converted
    const char* proposed;
  };
  const Case cases[] = {
      {"openfcpxmlkit/GeneralDemo.fcpxml", "openfcpxmlkit/GeneralDemo.fcpxml", "GeneralDemo.srt"},
      {"fcp-scene-detect/2997fps-rubric-clips.fcpxmld",
       "fcp-scene-detect/2997fps-rubric-clips.fcpxmld/Info.fcpxml", "2997fps-rubric-clips.srt"},
  };
  for (const Case& c : cases) {
    const QString input = QDir(corpus).filePath(c.input);
    if (!QFileInfo::exists(input)) {
      ADD_FAILURE() << "corpus file missing: " << input.toStdString();
      continue;
    }
    const QByteArray document = bytesOf(QDir(corpus).filePath(c.document));
    const ExtractResult expected =
        extractSRT(std::string_view(document.constData(), std::size_t(document.size())));
    ASSERT_TRUE(expected.ok()) << c.document;

    QTemporaryDir out;
    Road road;
    AppDelegate delegate(platform());
    platform().setDelegate(&delegate);
    playUser(input, out.path(), road);
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { platform().terminate(); });
    watchdog.start(30000);
    platform().run();
    platform().setDelegate(nullptr);
    platform().resetTermination();

    ASSERT_TRUE(road.finished) << "the road stopped early for " << c.input;
    const QString saved = QDir(out.path()).filePath(c.proposed);
    EXPECT_EQ(road.proposedName, c.proposed);
    EXPECT_EQ(road.previewText, expected.srt);
    EXPECT_EQ(road.alertText, "Saved\n" + saved);
    EXPECT_EQ(bytesOf(saved).toStdString(), expected.srt) << c.input;
  }
}

}  // namespace
}  // namespace caplift::platform::qt::testing
