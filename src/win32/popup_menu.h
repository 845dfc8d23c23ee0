// Builds a real popup menu from the menu model: items carry their command IDs, items
// with children become submenus.
#pragma once

#include "model/menu.h"
#include "win32/unique_handle.h"

namespace reelmark::win32 {

UniqueMenu BuildPopupMenu(const Menu& menu);

}  // namespace reelmark::win32
