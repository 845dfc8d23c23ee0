// The real keyboard and mouse and the activation, for checks that must take the road a
// person's input takes: keys go through the system's input queue to the window with the
// focus, not straight to a chosen window.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The window that has the keyboard focus in the thread of `window`, or nullptr.
HWND FocusOf(HWND window);
// A control for a message: its class and control ID.
std::string Described(HWND window);
// The foreground window's thread's active window, or nullptr.
HWND Foreground();
// Makes `window` the active foreground window; true when it became it (bounded wait).
bool Activate(HWND window);
// One key going down or up, for SendInput.
INPUT KeyInput(WORD virtualKey, bool up);
// A key pressed and released on the keyboard, with Shift held when asked.
void PressRealKey(WORD virtualKey, bool shift = false);
// Ctrl+Alt+F2 pressed and released on the keyboard, as the system delivers it.
void PressCtrlAltF2();
// The mouse moved to a point of the screen through the system's input and settled there:
// the position the system then reports, which every program sees.
POINT MoveMouseTo(POINT at);

// A plain window of the driver's own, to take the activation away from the program.
class OtherWindow {
 public:
  OtherWindow();
  ~OtherWindow();
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace e2e
