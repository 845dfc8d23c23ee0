// The window has one size, centred on the screen; minimised or maximised it hides and
// leaves no taskbar button, and the tray icon brings it back normal.
#include <windows.h>

#include <cmath>
#include <cstdio>

#include "controls.h"
#include "desktop.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"
#include "win32/unique_handle.h"

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
  });
  const RECT seen = WindowRect(window);
  context.checks.Expect(EqualRect(&expected, &seen) != FALSE,
                        std::string(after) + ": expected the window at " + ShownRect(expected) + ", seen " + ShownRect(seen));
}

void ExpectHidden(Context& context, const char* after, ReelmarkApp& app) {
  HWND main = app.Main();
  // Hidden and no longer maximised: the maximised state on the way there is the program's own.
  WaitUntil([&] { return !IsWindowVisible(main) && !IsZoomed(main); });
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

  // Maximised from outside, it hides. The system would restore it maximised again, as it
  // was before it was minimised; the tray's left click brings it back normal all the same.
  ShowWindow(main, SW_MAXIMIZE);
  ExpectHidden(context, "after maximising", app);
  // Sent, so that the click's handling, restore and size included, is over when it returns.
  context.checks.Require(ClickTrayIconAndWait(main, WM_LBUTTONUP), "the tray's left click went unanswered");
  WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); });
  ExpectRect(context, "after the tray's left click", main, Centred(width, height));
  context.checks.Require(IsWindowVisible(main) && !IsIconic(main) && !IsZoomed(main),
                        "after the tray's left click: expected the window shown, neither minimised nor maximised");

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

  // Back from the tray and maximised again, it hides again. (Restored from outside while
  // hidden, the window stays hidden under Wine; the maximising is then no change the
  // program hears of, and the look after it would only race the request.)
  context.checks.Require(ClickTrayIconAndWait(main, WM_LBUTTONUP), "the tray's left click went unanswered");
  context.checks.Require(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }),
                         "after the tray's second left click: expected the window shown");
  ShowWindowAsync(main, SW_MAXIMIZE);
  ExpectHidden(context, "after maximising again", app);

  PostMessageW(main, WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the hidden window");
}

RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

// The system's notice of a new DPI carries a pointer to its suggested rectangle: the
// rectangle is put into the program's own memory, as the system would hand it over.
bool PostDpiChange(HWND window, DWORD pid, int dpi, const RECT& suggested) {
  const reelmark::win32::UniqueKernelHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) return false;
  void* remote = VirtualAllocEx(process.get(), nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(process.get(), remote, &suggested, sizeof suggested, nullptr)) return false;
  // Left allocated: the program reads it after this returns, and it ends with the program.
  return PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote)) != FALSE;
}

// At 150 % the controls and the one size grow; the window stays where the system put it,
// and a later change of size snaps back to the new size, centred.
void NewDpi(Context& context) {
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  HWND main = app.Main();
  const RECT before = WindowRect(main);
  const RECT suggested{40, 30, 40 + (before.right - before.left) * 3 / 2, 30 + (before.bottom - before.top) * 3 / 2};
  context.checks.Require(PostDpiChange(main, app.Proc().Id(), 144, suggested), "cannot hand the program a DPI change");

  // The designed client width, 7290 twips, is 729 pixels at 144 DPI. (Wine draws the
  // caption at the system DPI whatever the monitor's, so the client height is not checked.)
  WaitUntil([&] { return ClientRect(main).right == 729; });
  const RECT client = ClientRect(main);
  context.checks.ExpectNumber("client width at 144 DPI", 729, client.right);
  const RECT grown = WindowRect(main);
  context.checks.ExpectNumber("left after the DPI change", 40, grown.left);
  context.checks.ExpectNumber("top after the DPI change", 30, grown.top);
  RECT list{};
  GetWindowRect(GetDlgItem(main, ids::kList1), &list);
  context.checks.ExpectNumber("list box width at 144 DPI", 722, list.right - list.left);
  context.checks.ExpectNumber("list box height at 144 DPI", 276, list.bottom - list.top);

  const int width = grown.right - grown.left, height = grown.bottom - grown.top;
  SetWindowPos(main, nullptr, 0, 0, width - 50, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  ExpectRect(context, "after a change of size at the new DPI", main, Centred(width, height));

  PostMessageW(main, WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
}

}  // namespace

void AddWindowScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"window-one-size-minimise-and-maximise-hide-it", SizeMinimiseMaximise});
  scenarios.push_back({"window-new-dpi-new-size", NewDpi});
}

}  // namespace e2e
