// The application with Qt's own dialogs, as it runs for the user: one way from the button to a
// saved file, and Ctrl+Q from inside whatever blocks.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "platform/qt_dialogs.h"
#include "tests/app/harness.h"
#include "ui/large_text_view.h"
#include "ui/main_menu_builder.h"

namespace caplift::testing {
namespace {

// Runs `act` on the modal window once one is up, from a timer (dialogs run loops of their own).
void whenModal(std::function<bool(QWidget& modal)> act) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, qApp, [timer, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && act(*modal)) timer->deleteLater();
  });
  timer->start(10);
}

// Types `name` into a file dialog and accepts it. (Selecting in the list would race the dialog's
// listing of the folder in the background.)
void typeAndAccept(QFileDialog& dialog, const QString& name) {
  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
  QMetaObject::invokeMethod(&dialog, "accept");
}

TEST(RealDialogs, FromTheButtonToASavedFile) {
  // A file and a bundle typed, and a bundle double-clicked (which would enter the folder).
  for (const auto& [pick, doubleClick] :
       {std::pair{"Project 1.fcpxml", false}, {"Scene.fcpxmld", false}, {"Scene.fcpxmld", true}}) {
    SCOPED_TRACE(pick);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Scene.fcpxmld");
    for (const char* name : {"Project 1.fcpxml", "Scene.fcpxmld/Info.fcpxml"}) {
      QFile::copy(dataFile("two_titles.fcpxml"), dir.filePath(name));
    }
    platform::QtDialogs dialogs(&MainMenuBuilder::shortcuts);
    AppDelegate app(dialogs);
    app.applicationDidFinishLaunching();
    std::string previewText;
    QString proposed, alert;
    int step = 0;
    whenModal([&](QWidget& modal) {
      auto* file = qobject_cast<QFileDialog*>(&modal);
      auto* box = qobject_cast<QMessageBox*>(&modal);
      auto* list = file ? file->findChild<QTreeView*>("treeView") : nullptr;
      if (step == 0 && file && file->acceptMode() == QFileDialog::AcceptOpen) {
        file->setDirectory(dir.path());
        if (list->model()->rowCount(list->rootIndex()) < 2) return false;  // still listing
        if (doubleClick)
          emit file->directoryEntered(dir.filePath(pick));
        else
          typeAndAccept(*file, dir.filePath(pick));
      } else if (step == 1 && dynamic_cast<PreviewWindow*>(&modal)) {
        previewText = shownPreview()->textView->text();
        shownPreview()->saveButton->click();
      } else if (step == 2 && file) {
        proposed = file->findChild<QLineEdit*>("fileNameEdit")->text();
        typeAndAccept(*file, dir.filePath("out"));
      } else if (step == 3 && box) {
        alert = box->informativeText();
        EXPECT_EQ(box->text(), "<b>alert_notify</b>");
        box->buttons().front()->click();
      } else {
        return false;
      }
      return ++step == 4;
    });
    QTimer::singleShot(0, app.window.get(), [&app] {
      QTest::mouseClick(app.window->centralWidget()->findChild<QPushButton*>(), Qt::LeftButton);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return step == 4; }, 15000)) << "stopped at step " << step;
    EXPECT_EQ(previewText, bytesOf(dataFile("two_titles.srt")).toStdString());
    EXPECT_EQ(proposed, QString(pick).section('.', 0, 0) + ".srt");
    EXPECT_EQ(alert, "save_finish\n" + dir.filePath("out.srt"));
    EXPECT_EQ(bytesOf(dir.filePath("out.srt")), bytesOf(dataFile("two_titles.srt")));
  }
}

TEST(RealDialogs, ControlQQuitsAtOnceFromThePreviewADialogOrAnAlert) {
  const std::function<void(AppDelegate&, platform::Dialogs&)> blockers[] = {
      [](AppDelegate& app, platform::Dialogs&) {
        app.openDocument(dataFile("two_titles.fcpxml").toStdString());
      },
      [](AppDelegate&, platform::Dialogs& dialogs) { dialogs.chooseFile("choose"); },
      [](AppDelegate&, platform::Dialogs& dialogs) { dialogs.runAlert("title", "message", "ok"); },
  };
  for (const auto& block : blockers) {
    platform::QtDialogs dialogs(&MainMenuBuilder::shortcuts);
    AppDelegate app(dialogs);
    bool returned = false;
    QTimer::singleShot(0, [&] {
      app.applicationDidFinishLaunching();
      whenModal([](QWidget& modal) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&modal));
        QTest::keyClick(&modal, Qt::Key_Q, Qt::ControlModifier);
        return true;
      });
      block(app, dialogs);
      returned = true;
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(returned);
  }
}

}  // namespace
}  // namespace caplift::testing
