// The program's entry point. One copy runs per program folder: a second start hands its
// capture to the first copy and ends, before any window or file. The first copy makes
// its window hidden, the form loads (asking its questions before anything is shown), and
// only then is the window shown.
#include <windows.h>

#include <commctrl.h>

#include "win32/hand_off_window.h"
#include "win32/main_window.h"
#include "win32/single_copy.h"
#include "win32/win32_platform.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace {

using reelmark::win32::HandOver;

// False when this start is to end: the copy running in its folder took the capture over,
// or does not answer.
bool FirstCopyOfFolder(reelmark::win32::FolderLock& lock, const reelmark::SingleCopyNames& names) {
  if (lock.Held()) return true;
  switch (reelmark::win32::HandOverToFirstCopy(lock, names)) {
    case HandOver::Free: return true;
    case HandOver::Taken: return false;
    case HandOver::NoAnswer: break;
  }
  ::MessageBoxW(nullptr, reelmark::texts::kRunningNotAnswering, reelmark::texts::kNoticeTitle, MB_OK);
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Declared first, so released last: only after shut-down has written every file.
  const reelmark::SingleCopyNames names = reelmark::win32::SingleCopyNamesOfFolder(reelmark::win32::ProgramFolder());
  reelmark::win32::FolderLock lock(names.mutex);
  if (!FirstCopyOfFolder(lock, names)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  reelmark::win32::Win32Platform platform;
  reelmark::Form1 form(platform);
  platform.SetForm(&form);
  reelmark::win32::MainWindow window(form, platform);
  if (!window.Create(instance)) return 1;
  // Before start-up, whose questions let a second start's request in. After the main
  // window, which pays for the first window of the process.
  reelmark::win32::HandOffWindow handOff(form);
  handOff.Create(instance, names.handOffClass);

  form.Form_Load();
  if (form.Ended()) return 0;
  ::ShowWindow(window.Handle(), SW_SHOWNORMAL);
  ::UpdateWindow(window.Handle());
  form.Form_Shown();  // the films are tested once the window is there

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
