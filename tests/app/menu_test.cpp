#include <gtest/gtest.h>

#include "tests/app/app_test_support.h"
#include "ui/main_menu_builder.h"

namespace caplift::testing {
namespace {

using platform::Menu;

const Menu& applicationMenu(const platform::fake::FakePlatform& fake) {
  static const Menu empty;
  if (!fake.mainMenu || fake.mainMenu->items.size() != 1 || !fake.mainMenu->items[0]->submenu) {
    ADD_FAILURE() << "no single application menu";
    return empty;
  }
  return *fake.mainMenu->items[0]->submenu;
}

TEST_F(AppTest, MenuHoldsOnlyTheApplicationMenuWithAboutSeparatorAndQuit) {
  const Menu& menu = applicationMenu(fake);
  EXPECT_EQ(fake.mainMenu->items[0]->title, "");
  EXPECT_EQ(fake.mainMenu->items[0]->action, "");
  struct Expected {
    const char* title;
    const char* action;
    const char* key;
    bool separator;
  };
  const Expected expected[] = {{"about", "showAboutWindow", "", false},
                               {"", "", "", true},
                               {"Quit caplift", "terminate:", "q", false}};
  ASSERT_EQ(menu.items.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menu.items[i]->title, expected[i].title);
    EXPECT_EQ(menu.items[i]->action, expected[i].action);
    EXPECT_EQ(menu.items[i]->keyEquivalent, expected[i].key);
    EXPECT_EQ(menu.items[i]->isSeparator, expected[i].separator);
    EXPECT_EQ(menu.items[i]->submenu, nullptr);
  }
}

TEST(MainMenu, QuitUsesTheProcessNameAndAboutTheStringTable) {
  platform::fake::FakePlatform fake;
  fake.processNameValue = "Foo";
  fake.infoDictionary["CFBundleName"] = "Bar";
  fake.strings["about"] = "About Caplift";
  MainMenuBuilder::build(fake, nullptr);
  const Menu& menu = applicationMenu(fake);
  ASSERT_EQ(menu.items.size(), 3u);
  EXPECT_EQ(menu.items[0]->title, "About Caplift");
  EXPECT_EQ(menu.items[2]->title, "Quit Foo");
  EXPECT_EQ(fake.localizedLookups, (decltype(fake.localizedLookups){{"about", "About"}}));
}

TEST_F(AppTest, QuitEndsTheApplicationAndUnknownActionsAreNotAnswered) {
  EXPECT_FALSE(app.performAction("openDocument:"));
  EXPECT_FALSE(fake.terminated);
  ASSERT_TRUE(fake.chooseMenuItem("Quit caplift"));
  EXPECT_TRUE(fake.terminated);
}

}  // namespace
}  // namespace caplift::testing
