// The main window's global hot key, for as long as the object lives: HotKeyWndProc sits
// ahead of the window's procedure (HotKeyHooked) and runs the form's capture on
// the key; the key itself is registered under its identifier until the object goes.
#pragma once

#include <windows.h>

#include "win32/window_hooks.h"

namespace reelmark {
class Form1;
}

namespace reelmark::win32 {

LRESULT CALLBACK HotKeyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class HotKey {
 public:
  // `form` must outlive the object.
  HotKey(HWND window, Form1& form);
  ~HotKey();
  HotKey(const HotKey&) = delete;
  HotKey& operator=(const HotKey&) = delete;

  // Registers the key under the identifier, in place of what this object registered
  // before. A key another program holds stays unregistered; the hook stays either way.
  void Register(int id, UINT modifiers, UINT code);

 private:
  friend LRESULT CALLBACK HotKeyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_;
  Form1& form_;
  int registeredId_ = 0;
  bool registered_ = false;
  WindowProcHook hook_;
};

}  // namespace reelmark::win32
