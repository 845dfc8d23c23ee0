// The two popup menus of the window, as the shell builds them.
#pragma once

#include "model/menu.h"

namespace reelmark {

Menu MakeListMenu();  // mnumov: the list's right-button menu
Menu MakeTrayMenu();  // mnuTray: the tray icon's right-button menu

}  // namespace reelmark
