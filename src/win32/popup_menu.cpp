#include "win32/popup_menu.h"

#include <vector>

namespace reelmark::win32 {
namespace {

UniqueMenu BuildItems(const std::vector<MenuItem>& items) {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  for (const MenuItem& item : items) {
    if (!item.children.empty()) {
      UniqueMenu submenu = BuildItems(item.children);
      // Once appended, the submenu belongs to its parent and goes with it.
      if (submenu && ::AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.get()),
                                   item.caption.c_str())) {
        submenu.release();
      }
    } else {
      ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.commandId), item.caption.c_str());
    }
  }
  return menu;
}

}  // namespace

UniqueMenu BuildPopupMenu(const Menu& menu) { return BuildItems(menu.items); }

}  // namespace reelmark::win32
