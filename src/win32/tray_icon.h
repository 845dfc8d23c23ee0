// The main window's icon in the notification area, for as long as the object lives:
// added with the program's icon and the callback message, its tip kept and put back
// when the taskbar restarts, deleted when the object goes. While it lives, TrayWndProc
// sits ahead of the window's procedure and hands the icon's clicks to the form.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "win32/unique_handle.h"
#include "win32/window_hooks.h"

namespace reelmark {
class Form1;
}

namespace reelmark::win32 {

inline void DestroyIconHandle(HICON icon) noexcept { ::DestroyIcon(icon); }
using UniqueIcon = UniqueHandle<HandleTraits<HICON, DestroyIconHandle>>;

LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class TrayIcon {
 public:
  // `form` is the tray's form (TrayForm); its mnuTray is the tray menu (TrayMenu). It
  // must outlive the icon.
  TrayIcon(HWND window, Form1& form);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void SetTip(const std::wstring& tip);

 private:
  friend LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Add();

  Form1& trayForm_;
  UniqueIcon icon_;
  NOTIFYICONDATAW data_{};  // kept between the calls, as the shell wants it whole each time
  bool hasTip_ = false;
  UINT taskbarCreated_ = 0;
  WindowProcHook hook_;
};

}  // namespace reelmark::win32
