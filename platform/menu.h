#pragma once

#include <memory>
#include <string>
#include <vector>

namespace caplift::platform {

class Menu;

// Menus are plain data: the platform turns the tree into native menus when it is installed with
// Platform::setMainMenu. An item without a target sends its action (a selector name such as
// "showAboutWindow" or "terminate:") along the dispatch chain: the application first, then the
// application delegate.
struct MenuItem {
  std::string title;
  std::string action;
  std::string keyEquivalent;  // "q" means the platform's command modifier plus Q
  bool isSeparator = false;
  std::shared_ptr<Menu> submenu;

  static std::shared_ptr<MenuItem> separatorItem();
  void setSubmenu(std::shared_ptr<Menu> menu) { submenu = std::move(menu); }
};

class Menu {
 public:
  std::string title;
  std::vector<std::shared_ptr<MenuItem>> items;

  void addItem(std::shared_ptr<MenuItem> item) { items.push_back(std::move(item)); }
  std::shared_ptr<MenuItem> addItemWithTitle(std::string title, std::string action,
                                             std::string keyEquivalent) {
    auto item = std::make_shared<MenuItem>();
    item->title = std::move(title);
    item->action = std::move(action);
    item->keyEquivalent = std::move(keyEquivalent);
    items.push_back(item);
    return item;
  }
};

inline std::shared_ptr<MenuItem> MenuItem::separatorItem() {
  auto item = std::make_shared<MenuItem>();
  item->isSeparator = true;
  return item;
}

// Selector names that the application object itself answers.
inline constexpr const char* kTerminateAction = "terminate:";

}  // namespace caplift::platform
