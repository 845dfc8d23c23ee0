#include "win32/tray_icon.h"

#include "resource_ids.h"
#include "shell/tray.h"
#include "ui/form1.h"

namespace reelmark::win32 {
namespace {

// One icon for the whole program: its window procedure finds it here.
TrayIcon* g_trayIcon = nullptr;

// The program's icon at the size of small icons for the system's DPI (the taskbar's),
// owned here rather than shared, so that it goes with the tray icon.
HICON LoadSmallIcon() {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_REELMARK), IMAGE_ICON,
                                         ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

TrayIcon::TrayIcon(HWND window, Form1& form)
    : trayForm_(form),
      icon_(LoadSmallIcon()),
      // Sent to every top-level window when the taskbar starts, after a crash of the shell too.
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")),
      hook_(window, TrayWndProc) {
  g_trayIcon = this;
  // Run as administrator, the window is shielded from messages of programs with lower
  // rights, the taskbar's broadcast included: that one message is let through, no other.
  if (taskbarCreated_) ::ChangeWindowMessageFilterEx(window, taskbarCreated_, MSGFLT_ALLOW, nullptr);
  data_.cbSize = sizeof data_;
  data_.hWnd = window;
  data_.uID = 0;
  data_.uCallbackMessage = kTrayCallbackMessage;
  data_.hIcon = icon_.get();
  Add();
}

TrayIcon::~TrayIcon() {
  data_.uFlags = 0;
  ::Shell_NotifyIconW(NIM_DELETE, &data_);
  g_trayIcon = nullptr;
  // The hook comes off next, and the icon's image goes last.
}

void TrayIcon::Add() {
  data_.uFlags = NIF_MESSAGE | NIF_ICON | (hasTip_ ? NIF_TIP : 0);
  ::Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::SetTip(const std::wstring& tip) {
  FillTipField(tip, data_.szTip);
  hasTip_ = true;
  data_.uFlags = NIF_TIP;
  ::Shell_NotifyIconW(NIM_MODIFY, &data_);
}

LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_trayIcon) return PassOnWithoutHook(window, message, wParam, lParam);
  // The clicks are the tray's alone; nothing of the icon is used after the form's
  // handler, which may have ended the program (the menu's 退出).
  switch (TrayMessageAction(message, lParam, g_trayIcon->taskbarCreated_)) {
    case TrayAction::ShowWindow:
      g_trayIcon->trayForm_.ShowFromTray();
      return 0;
    case TrayAction::OpenMenu:
      g_trayIcon->trayForm_.OpenTrayMenu();
      return 0;
    case TrayAction::AddIconAgain:
      g_trayIcon->Add();  // the shell is asked, and may send the window messages meanwhile
      if (!g_trayIcon) return PassOnWithoutHook(window, message, wParam, lParam);
      break;
    case TrayAction::PassOn:
      break;
  }
  return g_trayIcon->hook_.CallNext(window, message, wParam, lParam);
}

}  // namespace reelmark::win32
