// A procedure put ahead of a window's own by classic subclassing: the window's procedure
// is replaced, and the hook hands what it does not keep to the procedure it displaced.
// (SetWindowSubclass would cost a measurable hop on every message under Wine.)
//
// Hooks of this kind on one window form a chain, the latest first. Taking one off puts
// the chain back together around it, wherever it sits, so once every hook is off the
// window's own procedure is in place again. Nothing else may subclass the window.
#pragma once

#include <windows.h>

namespace reelmark::win32 {

class WindowProcHook {
 public:
  WindowProcHook(HWND window, WNDPROC procedure);
  ~WindowProcHook();
  WindowProcHook(const WindowProcHook&) = delete;
  WindowProcHook& operator=(const WindowProcHook&) = delete;

  // Hands the message to the procedure this hook displaced and returns its result. The
  // hook may be gone when it returns (the message may have ended the window's life).
  LRESULT CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  HWND window_;
  WNDPROC procedure_;
  WNDPROC next_ = nullptr;
  WindowProcHook* above_ = nullptr;  // the hook installed later that displaced this one
  WindowProcHook* below_ = nullptr;  // the hook this one displaced, when it is one of these
  WindowProcHook* nextInstalled_ = nullptr;  // every hook in place, on any window
};

// For a hook whose own handling ended its life (a capture that ran the window's unload,
// say): the message goes on to whatever procedure the window has now; nowhere when the
// window is gone.
LRESULT PassOnWithoutHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace reelmark::win32
