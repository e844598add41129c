#include <gtest/gtest.h>

#include <filesystem>

#include "tests/app/app_test_support.h"

namespace caplift::testing {
namespace {

class Bundle : public AppTest {
 protected:
  std::string bundle = dir.makeFolder("Project 1.fcpxmld");
};

TEST_F(Bundle, ChoosingABundleConvertsItsInfoDocumentAndProposesTheBundleName) {
  dir.write("Project 1.fcpxmld/Info.fcpxml", kTwoTitles);
  const std::string target = dir.file("out.srt");
  fake.user().chooseFile(bundle).press("save_ok").chooseFile(target).dismissAlert();
  pressChoose();
  fake.runPostedWork();
  EXPECT_GE(fake.findCall("readUtf8File " + bundle + "/Info.fcpxml"), 0);
  ASSERT_EQ(fake.savePanels.size(), 1u);
  EXPECT_EQ(fake.savePanels[0].nameFieldStringValue, "Project 1.srt");
  EXPECT_EQ(readBytes(target), srtOf(kTwoTitles));
}

TEST_F(Bundle, ABundleWithoutAReadableInfoDocumentGetsTheReadFailureAlert) {
  for (const auto& [info, detail] :
       {std::pair<const char*, const char*>{nullptr, "Info.fcpxml"}, {kNotUtf8, "offset 32"}}) {
    SCOPED_TRACE(detail);
    fake.alerts.clear();
    if (info) dir.write("Project 1.fcpxmld/Info.fcpxml", info);
    fake.user().chooseFile(bundle).dismissAlert();
    pressChoose();
    ASSERT_EQ(fake.alerts.size(), 1u);
    const std::string& message = fake.alerts[0].informativeText;
    EXPECT_EQ(message.rfind("file_read_fail: ", 0), 0u) << message;
    EXPECT_NE(message.find(detail), std::string::npos) << message;
    EXPECT_EQ(fake.windowTitled("preview"), nullptr);
  }
}

TEST_F(AppTest, DropTakesExactlyOneDocumentPath) {
  for (const char* path :
       {"/m/a.fcpxml", "/m/A.FCPXML", "/m/a.xml", "/m/Project 1.fcpxmld", "/m/b.FcpXmlD/"}) {
    EXPECT_TRUE(mainWindow().dragOver({path})) << path;
  }
  for (const char* path : {"/m/a.srt", "/m/a.txt", "/m/fcpxml", "/m/.xml", "/m/a.fcpxml.bak"}) {
    EXPECT_FALSE(mainWindow().dragOver({path})) << path;
  }
  EXPECT_FALSE(mainWindow().dragOver({"/m/a.fcpxml", "/m/b.fcpxml"}));
  EXPECT_FALSE(mainWindow().dragOver({}));
  // A refused drop reads and shows nothing.
  const std::string a = dir.write("a.fcpxml", kTwoTitles);
  EXPECT_FALSE(mainWindow().drop({a, a}));
  EXPECT_FALSE(mainWindow().drop({dir.write("notes.txt", kTwoTitles)}));
  EXPECT_EQ(fake.countCalls("readUtf8File"), 0u);
  EXPECT_EQ(fake.windows.size(), 1u);
}

TEST_F(AppTest, ADropDoesWhatChoosingTheFileDoesAndBackOpensThePanel) {
  const std::string input = dir.write("Dropped.fcpxml", kTwoTitles);
  fake.user().press("back");
  ASSERT_TRUE(mainWindow().drop({input}));
  EXPECT_TRUE(fake.openPanels.empty());
  EXPECT_NE(fake.windowTitled("preview"), nullptr);
  fake.user().cancelPanel();
  fake.runPostedWork();
  EXPECT_EQ(fake.openPanels.size(), 1u);
}

TEST_F(AppTest, NoDropIsTakenWhileAPreviewIsOpen) {
  const std::string a = dir.write("a.fcpxml", kTwoTitles);
  fake.user().inspect([&] { EXPECT_FALSE(mainWindow().drop({a})); }).press("cancel");
  ASSERT_TRUE(mainWindow().drop({a}));
  EXPECT_EQ(fake.countCalls("runModalForWindow"), 1u);
}

// Real exports dropped and saved: a current bundle (which has no titles) and an older file.
TEST_F(AppTest, CorpusExportsDroppedAndSaved) {
  namespace fs = std::filesystem;
  const fs::path corpus(CAPLIFT_CORPUS_DIR);
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "corpus not found at " << CAPLIFT_CORPUS_DIR;
  for (const auto& [input, document, proposed] :
       {std::tuple{"fcp-scene-detect/2997fps-rubric-clips.fcpxmld", "/Info.fcpxml",
                   "2997fps-rubric-clips.srt"},
        {"pipeline/MakeSubtitlesTest.fcpxml", "", "MakeSubtitlesTest.srt"}}) {
    SCOPED_TRACE(input);
    const std::string path = (corpus / input).string();
    const std::string target = dir.file(proposed);
    ASSERT_TRUE(fs::exists(path + document));
    fake.savePanels.clear();
    fake.alerts.clear();
    fake.user().press("save_ok").chooseFile(target).dismissAlert();
    ASSERT_TRUE(mainWindow().drop({path}));
    fake.runPostedWork();
    EXPECT_EQ(fake.savePanels.at(0).nameFieldStringValue, proposed);
    EXPECT_EQ(readBytes(target), srtOf(readBytes(path + document)));
    EXPECT_EQ(alertMessages(), std::vector<std::string>{"save_finish\n" + target});
  }
}

}  // namespace
}  // namespace caplift::testing
