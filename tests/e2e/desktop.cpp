#include "desktop.h"

namespace e2e {

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  // GetWindowTextW reads another process's caption without sending it a message, so it
  // works while that program sits in a modal loop.
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

namespace {

struct WindowWalk {
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND> found;
};

// The system calls this back with its own calling convention: declared CALLBACK and
// handed over without a cast, so a wrong convention fails to compile on every target.
BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& walk = *reinterpret_cast<WindowWalk*>(data);
  if ((walk.pid == 0 || ProcessOf(window) == walk.pid) && (!walk.visibleOnly || IsWindowVisible(window))) {
    walk.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, bool visibleOnly) {
  WindowWalk walk{pid, visibleOnly, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&walk));
  return walk.found;
}

HWND FindWindowOfClass(DWORD pid, const wchar_t* className, bool visibleOnly) {
  for (HWND window : TopLevelWindows(pid, visibleOnly)) {
    if (ClassOf(window) == className) return window;
  }
  return nullptr;
}

HWND FindTitled(DWORD pid, const std::wstring& prefix) {
  for (HWND window : TopLevelWindows(pid, true)) {
    if (TextOf(window).compare(0, prefix.size(), prefix) == 0) return window;
  }
  return nullptr;
}

bool WaitUntilSteady(const std::function<bool()>& ready, DWORD steadyMs, DWORD ms) {
  ULONGLONG since = 0;
  return WaitUntil(
      [&] {
        if (!ready()) {
          since = 0;
          return false;
        }
        if (!since) since = GetTickCount64();
        return GetTickCount64() - since >= steadyMs;
      },
      ms);
}

bool WaitUntil(const std::function<bool()>& ready, DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(40);
  }
}

}  // namespace e2e
