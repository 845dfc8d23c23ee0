// Looking at other programs' windows the way a person sees them: top-level windows of a
// process, their class and text, and bounded waits for something to show or go.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Every wait of the driver is bounded by this unless it says otherwise.
inline constexpr DWORD kWaitMs = 15000;

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
DWORD ProcessOf(HWND window);

// Top-level windows of the process (all processes when `pid` is 0), top of the Z order first.
std::vector<HWND> TopLevelWindows(DWORD pid, bool visibleOnly);
// The first top-level window of `pid` with that class, or nullptr.
HWND FindWindowOfClass(DWORD pid, const wchar_t* className, bool visibleOnly);
// A visible top-level window of `pid` whose title starts with `prefix`, or nullptr.
HWND FindTitled(DWORD pid, const std::wstring& prefix);

// Polls `ready` until it returns true or `ms` pass; true when it became ready.
bool WaitUntil(const std::function<bool()>& ready, DWORD ms = kWaitMs);
// The same, until `ready` has held at every look for `steadyMs`: for a state that the
// system may still undo with news that arrives late (the X server's focus and pointer
// events under Wine), and that there is nothing else to wait for.
bool WaitUntilSteady(const std::function<bool()>& ready, DWORD steadyMs, DWORD ms = kWaitMs);

}  // namespace e2e
