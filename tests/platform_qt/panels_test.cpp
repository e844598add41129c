// The open and save dialogs and the alert, driven the way a user would from a timer.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

OpenPanelRequest openRequest() {
  return {"Choose FCPXML File…", {ContentType::xml(), ContentType::fcpxmlBundle()}};
}

class QtPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QDir(dir_.path()).mkpath("Scene.fcpxmld");
    touch("Scene.fcpxmld/Info.fcpxml");
    touch("Project 1.fcpxml");
  }
  void touch(const char* name) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<fcpxml/>");
  }
  std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }

  QTemporaryDir dir_;
};

TEST_F(QtPanelTest, OpenDialogTakesABundleFolderAsTheChoice) {
  using Drive = std::function<void(QFileDialog&, const QString&)>;
  const Drive ways[] = {
      // Its full path typed, then Open. (Selecting in the list races the dialog's background
      // listing of the folder, which a test cannot see the end of.)
      [](QFileDialog& dialog, const QString& bundle) {
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText(bundle);
        QMetaObject::invokeMethod(&dialog, "accept");
      },
      // Typed into the name field, then Open.
      [](QFileDialog& dialog, const QString&) {
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("Scene.fcpxmld");
        QMetaObject::invokeMethod(&dialog, "accept");
      },
      // Double-clicked: the dialog would enter the folder.
      [](QFileDialog& dialog, const QString& bundle) { emit dialog.directoryEntered(bundle); },
  };
  for (const Drive& drive : ways) {
    const QString bundle = QString::fromStdString(path("Scene.fcpxmld"));
    const QString start = dir_.path();
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Choose FCPXML File…"));
      EXPECT_EQ(dialog.nameFilters(),
                QStringList{"XML document, FCPXML bundle (*.xml *.fcpxml *.fcpxmld)"});
      dialog.setDirectory(start);
      drive(dialog, bundle);
    });
    EXPECT_EQ(platform().runOpenPanel(openRequest()), path("Scene.fcpxmld"));
  }
}

TEST_F(QtPanelTest, OpenDialogChoosesAFileOrNothing) {
  whenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    dialog.setDirectory(dir_.path());
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(dir_.filePath("Project 1.fcpxml"));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  EXPECT_EQ(platform().runOpenPanel(openRequest()), path("Project 1.fcpxml"));

  whenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(platform().runOpenPanel(openRequest()), std::nullopt);
}

TEST_F(QtPanelTest, SaveDialogProposesTheNameAndAddsTheSuffix) {
  const SavePanelRequest request{"Save Subtitles", {ContentType::srt()}, "Project 1.srt"};
  whenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Save Subtitles");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), "Project 1.srt");
    EXPECT_EQ(dialog.nameFilters(), QStringList{"SubRip subtitles (*.srt)"});
    dialog.setDirectory(dir_.path());
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText("renamed");
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  EXPECT_EQ(platform().runSavePanel(request), path("renamed.srt"));
}

TEST(QtAlertTest, ShowsBoldMessageInformativeTextAndButtons) {
  const AlertRequest request{"Caplift", "Saved\n/tmp/<a> & b.srt", {"OK", "Cancel"}};
  for (int pressed : {0, 1}) {
    whenShown<QMessageBox>([pressed](QMessageBox& box) {
      EXPECT_EQ(box.text(), "<b>Caplift</b>");
      EXPECT_EQ(box.informativeText(), "Saved\n/tmp/<a> & b.srt");
      auto* informative = box.findChild<QLabel*>("qt_msgbox_informativelabel");
      ASSERT_NE(informative, nullptr);
      EXPECT_EQ(informative->textFormat(), Qt::PlainText);
      const QList<QAbstractButton*> buttons = box.buttons();
      ASSERT_EQ(buttons.size(), 2);
      for (QAbstractButton* button : buttons) {
        if (button->text() == (pressed == 0 ? "OK" : "Cancel")) button->click();
      }
    });
    EXPECT_EQ(platform().runAlert(request), pressed);
  }
}

}  // namespace
}  // namespace caplift::platform::qt::testing
