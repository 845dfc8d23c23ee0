// The user, other programs and the program itself, on the real system. Files are in
// win32_files.cpp.
#include "win32/win32_platform.h"

#include <algorithm>

#include "ui/layout.h"
#include "win32/popup_menu.h"
#include "win32/unique_handle.h"

namespace reelmark::win32 {
namespace {

HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle ToHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

std::wstring WindowTitle(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, title.data(), length + 1);
  title.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return title;
}

}  // namespace

MessageAnswer Win32Platform::ShowMessage(const std::wstring& text, const std::wstring& title,
                                         MessageButtons buttons, bool toFront) {
  // No icon; Yes is the first button and therefore the default.
  const UINT type = (buttons == MessageButtons::YesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK) |
                    (toFront ? MB_SETFOREGROUND : 0);
  const int answer = ::MessageBoxW(mainWindow_, text.c_str(), title.c_str(), type);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

std::wstring Win32Platform::ErrorText(SystemError error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocalText owned(buffer);
  return buffer ? std::wstring(buffer, length) : std::wstring();
}

void Win32Platform::ShowPopupMenu(const Menu& menu) {
  POINT at{};
  ::GetCursorPos(&at);
  TrackPopupMenuAt(menu, at);
}

void Win32Platform::ShowPopupMenuAtRow(const Menu& menu, int row) {
  const HWND list = ::GetDlgItem(mainWindow_, kList1);
  RECT client{};
  if (!list || !::GetClientRect(list, &client)) return;
  POINT at{client.left, client.top};
  RECT item{};
  if (row >= 0 && ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
    // Below the row's left end, kept inside the list when the row is scrolled out of it.
    at = {item.left, std::clamp(item.bottom, client.top, client.bottom)};
  }
  ::ClientToScreen(list, &at);
  TrackPopupMenuAt(menu, at);
}

void Win32Platform::TrackPopupMenuAt(const Menu& menu, POINT at) {
  const UniqueMenu popup = BuildPopupMenu(menu);
  if (!popup) return;
  // The foreground window and the WM_NULL afterwards make the menu close when the
  // user clicks elsewhere, also when it was opened from the tray. The chosen item
  // arrives at the main window as WM_COMMAND with its command ID.
  ::SetForegroundWindow(mainWindow_);
  ::TrackPopupMenuEx(popup.get(), 0, at.x, at.y, mainWindow_, nullptr);
  ::PostMessageW(mainWindow_, WM_NULL, 0, 0);
}

std::vector<TopLevelWindow> Win32Platform::TopLevelWindows() {
  std::vector<TopLevelWindow> windows;
  HWND window = mainWindow_ ? ::GetWindow(mainWindow_, GW_HWNDFIRST) : ::GetWindow(::GetDesktopWindow(), GW_CHILD);
  for (; window; window = ::GetWindow(window, GW_HWNDNEXT)) {
    windows.push_back({ToHandle(window), WindowTitle(window)});
  }
  return windows;
}

WindowHandle Win32Platform::OwnWindow() { return ToHandle(mainWindow_); }

bool Win32Platform::CloseWindowAndWaitForExit(WindowHandle window, unsigned maxWaitMs) {
  // The process is opened before the close request, so it cannot vanish and its ID be
  // reused in between.
  DWORD processId = 0;
  UniqueKernelHandle process;
  if (::GetWindowThreadProcessId(ToHwnd(window), &processId) != 0 && processId != 0) {
    process.reset(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  }
  ::PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0);
  if (!process) return false;
  ::WaitForSingleObject(process.get(), maxWaitMs);
  return true;
}

void Win32Platform::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void Win32Platform::StartProcess(const std::wstring& commandLine) {
  std::wstring writable = commandLine;  // CreateProcessW may write into its command line
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
  }
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring Win32Platform::ProgramDirectory() { return ProgramFolder(); }

int Win32Platform::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int Win32Platform::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

void Win32Platform::EndProgram() {
  // Straight to WM_DESTROY, which posts the quit message: WM_CLOSE, and with it the
  // unload handler, is passed by.
  if (mainWindow_ && ::IsWindow(mainWindow_)) {
    ::DestroyWindow(mainWindow_);
  } else {
    ::PostQuitMessage(0);
  }
}

void Win32Platform::StartTimer(FormTimer timer, unsigned milliseconds) {
  // No timer procedure: WM_TIMER goes to the window, whose procedure hands it on.
  if (mainWindow_) ::SetTimer(mainWindow_, TimerId(timer), milliseconds, nullptr);
}

void Win32Platform::PostTimerEvent() {
  if (mainWindow_) ::PostMessageW(mainWindow_, kFormTimerEventMessage, 0, 0);
}

std::uint64_t Win32Platform::Milliseconds() { return ::GetTickCount64(); }

void Win32Platform::DestroyMainWindow() {
  if (mainWindow_) ::DestroyWindow(mainWindow_);
}

}  // namespace reelmark::win32
