// The keyboard focus of a window full of controls, kept the way dialog boxes keep it: the
// control that had the focus when another window became active gets it back when this one
// is active again; until one had it, the first control of the tab order gets it.
#pragma once

#include <windows.h>

namespace reelmark::win32 {

class FocusKeeper {
 public:
  // WM_ACTIVATE with WA_INACTIVE: remember the control that has the focus.
  void Remember(HWND window);
  // WM_ACTIVATE when activated, and WM_SETFOCUS on the window itself: the focus goes back
  // to the remembered control, or to `first` when there is none to go back to.
  void Restore(HWND window, HWND first);

 private:
  HWND remembered_ = nullptr;
};

}  // namespace reelmark::win32
