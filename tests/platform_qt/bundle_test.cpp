// Translations, identity and resources as the application reads them.
#include <gtest/gtest.h>
#include <QImage>

#include "platform/qt/file_io.h"
#include "platform/qt/translations.h"
#include "qt_test_support.h"

namespace caplift::platform::qt::testing {
namespace {

class TranslationTest : public ::testing::Test {
 protected:
  void TearDown() override { installTranslation("en"); }
};

TEST_F(TranslationTest, TheTableFollowsTheLanguage) {
  struct Case {
    const char* table;
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {"en", "choose", "Choose FCPXML File…"}, {"en", "cancel", "Cancel"},
      {"en", "about", "About Caplift"},        {"en", "save_ok", "Save"},
      {"ja", "cancel", "キャンセル"},          {"ja", "back", "戻る"},
      {"ja", "about", "Capliftについて"},      {"zh_CN", "cancel", "取消"},
      {"zh_CN", "save_file", "保存字幕"},      {"zh_CN", "about", "关于 Caplift"},
      {"ja", "no_such_key", "no_such_key"},  // a key without an entry shows itself
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(installTranslation(c.table)) << c.table;
    EXPECT_EQ(platform().localizedString(c.key, "comment"), c.text) << c.table << " " << c.key;
  }
  EXPECT_FALSE(installTranslation("xx"));
  EXPECT_EQ(platform().localizedString("cancel", "Cancel"), "cancel");
}

TEST_F(TranslationTest, EveryKeyHasATextInEveryLanguage) {
  const char* keys[] = {"choose",         "file_read_fail", "save_file", "save_finish",
                        "save_failed",    "alert_notify",   "ok",        "preview",
                        "save_ok",        "cancel",         "back",      "about",
                        "file_parse_fail"};
  for (const char* table : {"en", "ja", "zh_CN"}) {
    ASSERT_TRUE(installTranslation(table));
    for (const char* key : keys) {
      EXPECT_NE(platform().localizedString(key, ""), key) << table << " lacks " << key;
    }
  }
}

TEST_F(TranslationTest, FailureDescriptionsAreTranslatedToo) {
  installTranslation("ja");
  const ReadResult result = readUtf8File("/nonexistent/caplift.fcpxml");
  EXPECT_NE(result.errorDescription.find("存在しません"), std::string::npos)
      << result.errorDescription;
}

TEST(IdentityTest, NameVersionProcessAndIcon) {
  EXPECT_EQ(platform().infoDictionaryString("CFBundleName"), "Caplift");
  EXPECT_EQ(platform().infoDictionaryString("CFBundleShortVersionString"), CAPLIFT_VERSION);
  EXPECT_EQ(platform().infoDictionaryString("NoSuchKey"), std::nullopt);
  EXPECT_EQ(platform().processName(), "caplift_platform_qt_tests");
  EXPECT_FALSE(QApplication::windowIcon().isNull());

  const auto icon = platform().pathForResource("icon_128", "png");
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(QImage(QString::fromStdString(*icon)).size(), QSize(128, 128));
  EXPECT_NE(platform().loadImage(*icon), nullptr);
  EXPECT_EQ(platform().pathForResource("no_such_icon", "png"), std::nullopt);
  EXPECT_EQ(platform().loadImage("/nonexistent/icon.png"), nullptr);
  EXPECT_EQ(platform().loadImage(__FILE__), nullptr) << "a file that is no image";
}

}  // namespace
}  // namespace caplift::platform::qt::testing
