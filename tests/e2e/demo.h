// Small steps for scripts/demo.sh, which runs Reelmark on a desktop for a newcomer:
//   --demo-wait-player    waits (60 s) for the player's window "MPlayer - ..."
//   --demo-wait-question  waits (60 s) for Reelmark's first question and prints it
//   --demo-answer-yes     answers that question Yes and waits for the main window
//   --demo-wait-window    waits for the main window
//   --demo-drop PATH...   drops the files on Reelmark's list, as from the Explorer
//   --demo-tray-menu      opens the tray icon's menu with the mouse on the icon, in the
//                         corner of the screen, and leaves it open
//   --demo-close          closes an open menu, then the main window (answering No to any
//                         question), and waits until it is gone
// A first argument --desktop=NAME looks at the windows of that Wine desktop instead of the
// default one. Exit code 0 when the step happened.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// `arguments`: [--desktop=NAME] STEP [PATH...]
int RunDemoStep(const std::vector<std::wstring>& arguments);

}  // namespace e2e
