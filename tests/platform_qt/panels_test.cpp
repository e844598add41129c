// The open and save dialogs and the alert, driven the way a user would from a timer.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

class QtPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QDir(dir_.path()).mkpath("Scene.fcpxmld");
    for (const char* name : {"Scene.fcpxmld/Info.fcpxml", "Project 1.fcpxml"}) {
      QFile file(dir_.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write("<fcpxml/>");
    }
  }
  std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }

  QTemporaryDir dir_;
};

TEST_F(QtPanelTest, OpenDialogChoosesAFileABundleFolderOrNothing) {
  const QString bundle = dir_.filePath("Scene.fcpxmld");
  struct Way {
    const char* what;
    std::function<void(QFileDialog&)> drive;
    std::optional<std::string> chosen;
  };
  const Way ways[] = {
      {"a file's full path typed",
       [&](QFileDialog& d) { typeAndAccept(d, dir_.filePath("Project 1.fcpxml")); },
       path("Project 1.fcpxml")},
      {"a bundle's full path typed", [&](QFileDialog& d) { typeAndAccept(d, bundle); },
       path("Scene.fcpxmld")},
      {"a bundle's name typed", [](QFileDialog& d) { typeAndAccept(d, "Scene.fcpxmld"); },
       path("Scene.fcpxmld")},
      // Double-clicked: the dialog would enter the folder.
      {"a bundle double-clicked", [&](QFileDialog& d) { emit d.directoryEntered(bundle); },
       path("Scene.fcpxmld")},
      {"cancelled", [](QFileDialog& d) { d.reject(); }, std::nullopt},
  };
  for (const Way& way : ways) {
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Choose FCPXML File…"));
      EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
      EXPECT_EQ(dialog.nameFilters(),
                QStringList{"XML document, FCPXML bundle (*.xml *.fcpxml *.fcpxmld)"});
      dialog.setDirectory(dir_.path());
      way.drive(dialog);
    });
    EXPECT_EQ(platform().runOpenPanel(
                  {"Choose FCPXML File…", {ContentType::xml(), ContentType::fcpxmlBundle()}}),
              way.chosen)
        << way.what;
  }
}

TEST_F(QtPanelTest, SaveDialogProposesTheNameAndAddsTheSuffix) {
  whenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Save Subtitles");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), "Project 1.srt");
    EXPECT_EQ(dialog.nameFilters(), QStringList{"SubRip subtitles (*.srt)"});
    dialog.setDirectory(dir_.path());
    typeAndAccept(dialog, "renamed");
  });
  EXPECT_EQ(platform().runSavePanel({"Save Subtitles", {ContentType::srt()}, "Project 1.srt"}),
            path("renamed.srt"));
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
      ASSERT_EQ(box.buttons().size(), 2);
      for (QAbstractButton* button : box.buttons()) {
        if (button->text() == (pressed == 0 ? "OK" : "Cancel")) button->click();
      }
    });
    EXPECT_EQ(platform().runAlert(request), pressed);
  }
}

}  // namespace
}  // namespace caplift::platform::qt::testing
