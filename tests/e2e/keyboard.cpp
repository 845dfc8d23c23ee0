#include "keyboard.h"

#include "desktop.h"
#include "text.h"

namespace e2e {
namespace {

// The driver's own window is only looked at; its messages are pumped while waiting.
void PumpOwnMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

std::string Described(HWND window) {
  if (!window) return "no window";
  return Shown(ClassOf(window)) + " (ID " + std::to_string(GetDlgCtrlID(window)) + ")";
}

HWND Foreground() { return GetForegroundWindow(); }

bool Activate(HWND window) {
  // Under Wine the X server's focus events can come late and hand the activation back to
  // the window that had it: ask again until the window is in front and stays there.
  ULONGLONG inFrontSince = 0;
  return WaitUntil([&] {
    PumpOwnMessages();
    if (GetForegroundWindow() != window) {
      SetForegroundWindow(window);
      inFrontSince = 0;
      return false;
    }
    if (!inFrontSince) inFrontSince = GetTickCount64();
    return GetTickCount64() - inFrontSince >= 200;
  });
}

void PressRealKey(WORD virtualKey, bool shift) {
  INPUT keys[4];
  UINT n = 0;
  if (shift) keys[n++] = KeyInput(VK_SHIFT, false);
  keys[n++] = KeyInput(virtualKey, false);
  keys[n++] = KeyInput(virtualKey, true);
  if (shift) keys[n++] = KeyInput(VK_SHIFT, true);
  SendInput(n, keys, sizeof(INPUT));
}

void PressCtrlAltF2() {
  const WORD keys[] = {VK_CONTROL, VK_MENU, VK_F2};
  INPUT input[6] = {};
  for (int i = 0; i < 3; ++i) {
    input[i].type = input[5 - i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = input[5 - i].ki.wVk = keys[i];
    input[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(6, input, sizeof(INPUT));
}

POINT MoveMouseTo(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
  // The X server may still move the pointer by a pixel as it takes the move in.
  POINT now{};
  POINT last{-1, -1};
  WaitUntilSteady([&] {
    GetCursorPos(&now);
    const bool same = now.x == last.x && now.y == last.y;
    last = now;
    return same;
  }, 300);
  return now;
}

OtherWindow::OtherWindow() {
  window_ = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_) ShowWindow(window_, SW_SHOWNOACTIVATE);  // active only when a check makes it so
  PumpOwnMessages();
}

OtherWindow::~OtherWindow() {
  if (window_) DestroyWindow(window_);
}

}  // namespace e2e
