#include "ui/main_menu_builder.h"

#include <memory>
#include <string>

namespace caplift {

void MainMenuBuilder::build(platform::Platform& platform,
                            const platform::ApplicationDelegate* /*delegate*/) {
  using platform::Menu;
  using platform::MenuItem;

  auto mainMenu = std::make_shared<Menu>();
  auto appMenuItem = std::make_shared<MenuItem>();
  mainMenu->addItem(appMenuItem);
  auto appMenu = std::make_shared<Menu>();

  const std::string processName = platform.processName();
  appMenu->addItemWithTitle(platform.localizedString("about", "About"), "showAboutWindow", "");
  appMenu->addItem(MenuItem::separatorItem());
  appMenu->addItemWithTitle("Quit " + processName, platform::kTerminateAction, "q");

  appMenuItem->setSubmenu(appMenu);
  platform.setMainMenu(mainMenu);
}

}  // namespace caplift
