// The window has one size, centred on the screen; minimised or maximised it hides and
// leaves no taskbar button.
#include <windows.h>

#include <cmath>
#include <cstdio>

#include "desktop.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

std::string ShownRect(const RECT& r) {
  char text[96];
  snprintf(text, sizeof text, "(%ld, %ld) %ld x %ld", static_cast<long>(r.left), static_cast<long>(r.top),
           static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
  return text;
}

// Centred on the whole primary screen at the given size; a half pixel goes to the even side.
RECT Centred(int width, int height) {
  const auto half = [](int free) { return static_cast<LONG>(std::nearbyint(free / 2.0)); };
  const LONG left = half(GetSystemMetrics(SM_CXSCREEN) - width), top = half(GetSystemMetrics(SM_CYSCREEN) - height);
  return {left, top, left + width, top + height};
}

void ExpectRect(Context& context, const char* after, HWND window, const RECT& expected) {
  WaitUntil([&] {
    const RECT seen = WindowRect(window);
    return EqualRect(&expected, &seen) != FALSE;
  }, 5000);
  const RECT seen = WindowRect(window);
  context.checks.Expect(EqualRect(&expected, &seen) != FALSE,
                        std::string(after) + ": expected the window at " + ShownRect(expected) + ", seen " + ShownRect(seen));
}

void ExpectHidden(Context& context, const char* after, ReelmarkApp& app) {
  HWND main = app.Main();
  WaitUntil([&] { return !IsWindowVisible(main); }, 5000);
  context.checks.Expect(!IsWindowVisible(main), std::string(after) + ": expected the window hidden (no taskbar "
                                                                     "button), seen it visible");
  context.checks.Expect(!IsZoomed(main), std::string(after) + ": expected no maximised window, seen one");
  context.checks.Expect(app.Proc().Running(), std::string(after) + ": expected the program still running");
}

void SizeMinimiseMaximise(Context& context) {
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  HWND main = app.Main();
  const RECT loaded = WindowRect(main);
  const int width = loaded.right - loaded.left, height = loaded.bottom - loaded.top;
  ExpectRect(context, "after start-up", main, Centred(width, height));

  // Moving is free; a change of size snaps back, centred.
  SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  ExpectRect(context, "after moving to the corner", main, {0, 0, width, height});
  SetWindowPos(main, nullptr, 0, 0, width + 120, height - 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                                                 SWP_ASYNCWINDOWPOS);
  ExpectRect(context, "after a change of size", main, Centred(width, height));

  SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  ExpectRect(context, "after moving to the corner again", main, {0, 0, width, height});
  ShowWindowAsync(main, SW_MINIMIZE);
  ExpectHidden(context, "after minimising", app);

  // Shown and restored again (as the tray icon does): back at its size, centred.
  ShowWindowAsync(main, SW_RESTORE);
  WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }, 5000);
  ExpectRect(context, "after restoring", main, Centred(width, height));

  ShowWindowAsync(main, SW_MAXIMIZE);
  ExpectHidden(context, "after maximising", app);

  PostMessageW(main, WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the hidden window");
}

}  // namespace

void AddWindowScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"window-one-size-minimise-and-maximise-hide-it", SizeMinimiseMaximise});
}

}  // namespace e2e
