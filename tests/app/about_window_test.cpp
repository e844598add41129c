#include <gtest/gtest.h>

#include <tuple>

#include "tests/app/app_test_support.h"
#include "ui/about_window_controller.h"

namespace caplift::testing {
namespace {

using namespace platform;
using namespace platform::fake;

const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "not really pixels";

class AboutWindow : public ::testing::Test {
 protected:
  FakeWindow& show() {
    AboutWindowController::show(fake);
    EXPECT_FALSE(fake.windows.empty());
    return *fake.windows.back();
  }
  // The three text lines, whatever comes before them.
  std::vector<FakeTextField*> lines(const FakeWindow& window) {
    std::vector<FakeTextField*> result;
    for (const auto& view : window.content().subviews) {
      if (auto* field = dynamic_cast<FakeTextField*>(view.get())) result.push_back(field);
    }
    return result;
  }
  // The lines keep their places whether or not the icon is there.
  static void expectLineFrames(const std::vector<FakeTextField*>& text) {
    ASSERT_EQ(text.size(), 3u);
    const Rect frames[] = {{0, 100, 400, 20}, {0, 70, 400, 20}, {0, 40, 400, 20}};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(text[i]->frame(), frames[i]) << i;
  }

  FakePlatform fake;
  TempDir dir;
};

TEST_F(AboutWindow, ShowsIconNameCreditAndLinkAtTheirFrames) {
  fake.resources["icon_128.png"] = dir.write("icon.png", kPng);
  fake.infoDictionary = {{"CFBundleName", "Caplift"}, {"CFBundleShortVersionString", "2.3"}};
  FakeWindow& window = show();

  EXPECT_EQ(window.contentRect(), (Rect{520, 325, 400, 250}));  // centred on 1440 x 900
  EXPECT_TRUE(window.centered);
  EXPECT_EQ(window.title(), "about");
  EXPECT_EQ(window.styleMask(), 7u);
  EXPECT_EQ(window.standardButtonEnabled.at(platform::StandardButton::kMiniaturize), false);
  EXPECT_EQ(window.level(), platform::WindowLevel::kFloating);
  EXPECT_FALSE(window.releasedWhenClosed);
  EXPECT_EQ(window.delegate(), nullptr);
  EXPECT_TRUE(window.isVisible());
  EXPECT_LT(fake.findCall("makeKeyAndOrderFront"), fake.findCall("activateIgnoringOtherApps"));

  ASSERT_EQ(window.content().subviews.size(), 4u);
  auto* icon = window.content().subview<FakeImageView>(0);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->frame(), (Rect{150, 130, 100, 100}));
  EXPECT_EQ(icon->scaling, platform::ImageScaling::kProportionallyUpOrDown);
  ASSERT_NE(icon->image, nullptr);

  auto text = lines(window);
  ASSERT_EQ(text.size(), 3u);
  expectLineFrames(text);
  const std::tuple<ViewKind, std::string, std::optional<Font>> expected[] = {
      {ViewKind::kLabel, "Caplift v2.3", Font{Font::Kind::kBoldSystem, 14}},
      {ViewKind::kLabel, "Developed by Velmo", std::nullopt},
      {ViewKind::kTextField, AboutWindowController::kHomePage, std::nullopt}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(std::tuple(text[i]->kind, text[i]->text, text[i]->font), expected[i]) << i;
    EXPECT_EQ(text[i]->alignment, TextAlignment::kCenter) << i;
  }
  // The address is a link the user can click and select, but not edit.
  const FakeTextField& link = *text[2];
  EXPECT_EQ(link.linkUrl, AboutWindowController::kHomePage);
  EXPECT_EQ(std::tuple(link.editable, link.selectable, link.bezeled, link.drawsBackground,
                       link.allowsEditingTextAttributes),
            std::tuple(false, true, false, false, true));
}

TEST_F(AboutWindow, TitleComesFromTheStringTableWithItsOwnComment) {
  fake.strings["about"] = "About Caplift";
  EXPECT_EQ(show().title(), "About Caplift");
  EXPECT_EQ(fake.localizedLookups,
            (decltype(fake.localizedLookups){{"about", "About window title"}}));
}

TEST_F(AboutWindow, LeavesTheIconOutWhenItCannotBeLoaded) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"no resource", std::nullopt},
      {"missing file", dir.file("absent.png")},
      {"not an image", dir.write("bad.png", "GIF89a, or rather not")}};
  for (const auto& [name, icon] : cases) {
    SCOPED_TRACE(name);
    fake.resources.clear();
    if (icon) fake.resources["icon_128.png"] = *icon;
    FakeWindow& window = show();
    ASSERT_EQ(window.content().subviews.size(), 3u);
    expectLineFrames(lines(window));
  }
}

TEST_F(AboutWindow, NameAndVersionFallBackToProcessNameAndOnePointZero) {
  struct Case {
    std::optional<std::string> name, version;
    const char* line;
  };
  fake.processNameValue = "caplift-bin";
  for (const Case& c :
       {Case{"Foo", "2.3", "Foo v2.3"}, Case{std::nullopt, "2.3", "caplift-bin v2.3"},
        Case{"Foo", std::nullopt, "Foo v1.0"},
        Case{std::nullopt, std::nullopt, "caplift-bin v1.0"}}) {
    SCOPED_TRACE(c.line);
    fake.infoDictionary.clear();
    if (c.name) fake.infoDictionary["CFBundleName"] = *c.name;
    if (c.version) fake.infoDictionary["CFBundleShortVersionString"] = *c.version;
    auto text = lines(show());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0]->text, c.line);
  }
}

}  // namespace
}  // namespace caplift::testing
