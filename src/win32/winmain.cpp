// The program's entry point: the window is made hidden, the form loads (asking its
// questions before anything is shown), and only then is the window shown.
#include <windows.h>

#include <commctrl.h>

#include "win32/main_window.h"
#include "win32/win32_platform.h"
#include "ui/form1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  reelmark::win32::Win32Platform platform;
  reelmark::Form1 form(platform);
  platform.SetForm(&form);
  reelmark::win32::MainWindow window(form, platform);
  if (!window.Create(instance)) return 1;

  form.Form_Load();
  if (form.Ended()) return 0;
  ::ShowWindow(window.Handle(), SW_SHOWNORMAL);
  ::UpdateWindow(window.Handle());

  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog keys: Tab and the arrow keys move between the controls in tab order.
    const HWND main = window.Handle();
    if (main && ::IsDialogMessageW(main, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
