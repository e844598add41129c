#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/app_test_support.h"

namespace caplift::testing {
namespace {

using platform::ContentType;

class Workflow : public AppTest {
 protected:
  std::string input = dir.write("Project 1.fcpxml", kTwoTitles);
  std::string target = dir.file("Project 1.srt");

  // Opens `path` in the panel, saves to `to` and dismisses the closing alert.
  void openAndSave(const std::string& path, const std::string& to) {
    fake.user().chooseFile(path).press("save_ok");
    pressChoose();
    fake.user().chooseFile(to).dismissAlert();
    fake.runPostedWork();
  }
};

TEST_F(Workflow, OpenPanelOffersXmlFilesAndBundles) {
  fake.user().cancelPanel();
  pressChoose();
  ASSERT_EQ(fake.openPanels.size(), 1u);
  EXPECT_EQ(fake.openPanels[0].title, "choose");
  EXPECT_EQ(fake.openPanels[0].allowedContentTypes,
            (std::vector<ContentType>{ContentType::xml(), ContentType::fcpxmlBundle()}));
  // Cancelled: nothing read, shown or posted.
  EXPECT_EQ(fake.countCalls("readUtf8File"), 0u);
  EXPECT_EQ(fake.windows.size(), 1u);
  EXPECT_TRUE(fake.alerts.empty());
  EXPECT_EQ(fake.pendingWork(), 0u);
}

// An existing file is replaced whole.
TEST_F(Workflow, SaveWritesTheConvertedTextAndTellsWhere) {
  dir.write("Project 1.srt", std::string(100000, 'x'));
  openAndSave(input, target);
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Project 1.fcpxml", "Project 1.srt"}));
  ASSERT_EQ(fake.savePanels.size(), 1u);
  EXPECT_EQ(fake.savePanels[0].title, "save_file");
  EXPECT_EQ(fake.savePanels[0].allowedContentTypes, std::vector<ContentType>{ContentType::srt()});
  EXPECT_EQ(fake.savePanels[0].nameFieldStringValue, "Project 1.srt");
  EXPECT_EQ(readBytes(target), srtOf(kTwoTitles));
  ASSERT_EQ(fake.alerts.size(), 1u);
  EXPECT_EQ(fake.alerts[0].messageText, "alert_notify");
  EXPECT_EQ(fake.alerts[0].informativeText, "save_finish\n" + target);
  EXPECT_EQ(fake.alerts[0].buttonTitles, std::vector<std::string>{"ok"});
}

TEST_F(Workflow, CancellingTheSavePanelWritesAndShowsNothing) {
  fake.user().chooseFile(input).press("save_ok");
  pressChoose();
  fake.user().cancelPanel();
  fake.runPostedWork();
  EXPECT_EQ(fake.savePanels.size(), 1u);
  EXPECT_EQ(fake.countCalls("writeFileAtomically"), 0u);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"Project 1.fcpxml"});
  EXPECT_TRUE(fake.alerts.empty());
}

TEST_F(Workflow, InputThatCannotBeReadOrParsedGetsOneAlertAndNoPreview) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* prefix;
    const char* detail;  // part of the description
  };
  const Case cases[] = {
      {"not UTF-8", kNotUtf8, "file_read_fail: ", "offset 32"},
      {"not XML", kNotXml, "file_parse_fail: ", "line 1"},
      {"empty", "", "file_parse_fail: ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake.alerts.clear();
    const std::string path = dir.write(std::string(c.name) + ".fcpxml", c.bytes);
    fake.user().chooseFile(path).dismissAlert();
    pressChoose();
    ASSERT_EQ(fake.alerts.size(), 1u);
    const std::string& message = fake.alerts[0].informativeText;
    EXPECT_EQ(message.rfind(c.prefix, 0), 0u) << message;
    EXPECT_NE(message.find(c.detail), std::string::npos) << message;
    EXPECT_GT(message.size(), std::string(c.prefix).size());
    EXPECT_EQ(fake.windowTitled("preview"), nullptr);
    EXPECT_EQ(fake.pendingWork(), 0u);
  }
  const std::pair<std::string, std::string> parseLookup{"file_parse_fail", "file parse fail"};
  EXPECT_NE(std::ranges::find(fake.localizedLookups, parseLookup), fake.localizedLookups.end());
}

TEST_F(Workflow, ReadFailureDescriptionIsAppendedUnchanged) {
  fake.readFailures[input] = "The disk went away.";
  fake.user().chooseFile(input).dismissAlert();
  pressChoose();
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"file_read_fail: The disk went away."});
}

TEST_F(Workflow, AlertsUseTheStringTable) {
  fake.strings = {{"alert_notify", "Caplift"},
                  {"ok", "OK"},
                  {"save_finish", "Saved to"},
                  {"save_failed", "Could not save"},
                  {"save_file", "Save Subtitles"}};
  fake.writeFailures[dir.file("bad.srt")] = "No room.";
  openAndSave(input, target);
  openAndSave(input, dir.file("bad.srt"));
  EXPECT_EQ(fake.savePanels.at(0).title, "Save Subtitles");
  ASSERT_EQ(fake.alerts.size(), 2u);
  for (const auto& alert : fake.alerts) {
    EXPECT_EQ(alert.messageText, "Caplift");
    EXPECT_EQ(alert.buttonTitles, std::vector<std::string>{"OK"});
  }
  EXPECT_EQ(alertMessages(),
            (std::vector<std::string>{"Saved to\n" + target, "Could not save: No room."}));
}

TEST_F(Workflow, SaveProposesTheInputNameWithItsLastExtensionReplaced) {
  const std::pair<const char*, const char*> cases[] = {{"Project 1.fcpxml", "Project 1.srt"},
                                                       {"scene.final.fcpxml", "scene.final.srt"},
                                                       {"titles", "titles.srt"},
                                                       {"a.b.fcpxml", "a.b.srt"}};
  for (const auto& [name, proposed] : cases) {
    SCOPED_TRACE(name);
    fake.savePanels.clear();
    fake.user().press("save_ok");
    app.openDocument(dir.write(name, kTwoTitles));  // also a name that no panel would offer
    fake.user().cancelPanel();
    fake.runPostedWork();
    ASSERT_EQ(fake.savePanels.size(), 1u);
    EXPECT_EQ(fake.savePanels[0].nameFieldStringValue, proposed);
  }
}

}  // namespace
}  // namespace caplift::testing
