// The floor of start-up for a program of Reelmark's kind: a top-level window holding a list
// box with one row, a tray icon, common controls 6 by the manifest, shown, and a message
// loop. Nothing else. The start-up measurement times it beside reelmark.exe, which must
// come within a fixed ratio of it. It ends when its window is closed.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kClassName[] = L"BareWindow";
constexpr int kListId = 1001;  // the list's ID in Reelmark too, so one look reads both
constexpr UINT kTrayMessage = WM_APP + 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassW(&windowClass)) return 1;
  const HWND window = ::CreateWindowExW(0, kClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 500, 360, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  const HWND list = ::CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOTIFY,
                                      8, 8, 470, 300, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
  if (!list) return 1;
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one row"));

  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  icon.uFlags = NIF_MESSAGE | NIF_ICON;
  icon.uCallbackMessage = kTrayMessage;
  icon.hIcon = windowClass.hIcon;
  ::Shell_NotifyIconW(NIM_ADD, &icon);

  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
