// Resource IDs shared by the resource script and the program.
#pragma once

#define IDI_REELMARK 1  // the window's and the tray's icon
