// A popup menu as plain data: the shell builds the real menu from it, and a chosen
// item comes back as its command ID.
#pragma once

#include <string>
#include <vector>

namespace reelmark {

struct MenuItem {
  std::string name;       // the item's name in the program (bofang1, moveup, ...)
  std::wstring caption;
  int commandId = 0;      // 0 for an item that only opens a submenu
  std::vector<MenuItem> children;
};

struct Menu {
  std::string name;       // mnumov, mnuTray
  std::wstring caption;
  std::vector<MenuItem> items;
};

}  // namespace reelmark
