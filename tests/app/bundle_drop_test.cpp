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
  fake.user().chooseFile(bundle).press("save_ok");
  pressChoose();
  EXPECT_GE(fake.findCall("readUtf8File " + bundle + "/Info.fcpxml"), 0);
  const std::string target = dir.file("out.srt");
  fake.user().chooseFile(target).dismissAlert();
  fake.runPostedWork();
  ASSERT_EQ(fake.savePanels.size(), 1u);
  EXPECT_EQ(fake.savePanels[0].nameFieldStringValue, "Project 1.srt");
  EXPECT_EQ(readBytes(target), srtOf(kTwoTitles));
}

TEST_F(Bundle, ABundleWithoutAReadableInfoDocumentGetsTheReadFailureAlert) {
  struct Case {
    const char* name;
    const char* info;  // null: no Info.fcpxml
    const char* detail;
  };
  for (const Case& c : {Case{"no Info.fcpxml", nullptr, "Info.fcpxml"},
                        Case{"Info.fcpxml not UTF-8", kNotUtf8, "offset 32"}}) {
    SCOPED_TRACE(c.name);
    fake.alerts.clear();
    if (c.info) dir.write("Project 1.fcpxmld/Info.fcpxml", c.info);
    fake.user().chooseFile(bundle).dismissAlert();
    pressChoose();
    ASSERT_EQ(fake.alerts.size(), 1u);
    const std::string& message = fake.alerts[0].informativeText;
    EXPECT_EQ(message.rfind("file_read_fail: ", 0), 0u) << message;
    EXPECT_NE(message.find(c.detail), std::string::npos) << message;
    EXPECT_EQ(fake.windowTitled("preview"), nullptr);
  }
}

TEST_F(AppTest, DropTakesExactlyOneDocumentPath) {
  struct Case {
    std::vector<std::string> paths;
    bool accepted;
  };
  const Case cases[] = {
      {{"/m/a.fcpxml"}, true},
      {{"/m/A.FCPXML"}, true},
      {{"/m/a.xml"}, true},
      {{"/m/Project 1.fcpxmld"}, true},
      {{"/m/b.FcpXmlD/"}, true},
      {{"/m/a.srt"}, false},
      {{"/m/a.txt"}, false},
      {{"/m/fcpxml"}, false},
      {{"/m/.xml"}, false},
      {{"/m/a.fcpxml.bak"}, false},
      {{"/m/a.fcpxml", "/m/b.fcpxml"}, false},
      {{}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paths.empty() ? "(nothing)" : c.paths[0]);
    EXPECT_EQ(mainWindow().dragOver(c.paths), c.accepted);
  }
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

TEST_F(AppTest, RefusedDropsDoNothing) {
  const std::string a = dir.write("a.fcpxml", kTwoTitles);
  const std::string notes = dir.write("notes.txt", kTwoTitles);
  EXPECT_FALSE(mainWindow().drop({a, a}));
  EXPECT_FALSE(mainWindow().drop({notes}));
  EXPECT_EQ(fake.countCalls("readUtf8File"), 0u);
  EXPECT_EQ(fake.windows.size(), 1u);
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
  struct Case {
    const char* input;
    const char* document;  // inside the input, or empty
    const char* proposed;
  };
  for (const Case& c : {Case{"fcp-scene-detect/2997fps-rubric-clips.fcpxmld", "Info.fcpxml",
                             "2997fps-rubric-clips.srt"},
                        Case{"pipeline/MakeSubtitlesTest.fcpxml", "", "MakeSubtitlesTest.srt"}}) {
    SCOPED_TRACE(c.input);
    const fs::path input = corpus / c.input;
    const fs::path document = *c.document ? input / c.document : input;
    ASSERT_TRUE(fs::exists(document));
    fake.savePanels.clear();
    fake.alerts.clear();
    fake.user().press("save_ok");
    ASSERT_TRUE(mainWindow().drop({input.string()}));
    const std::string target = dir.file(c.proposed);
    fake.user().chooseFile(target).dismissAlert();
    fake.runPostedWork();
    EXPECT_EQ(fake.savePanels.at(0).nameFieldStringValue, c.proposed);
    EXPECT_EQ(readBytes(target), srtOf(readBytes(document.string())));
    EXPECT_EQ(alertMessages(), std::vector<std::string>{"save_finish\n" + target});
  }
}

}  // namespace
}  // namespace caplift::testing
