// The window procedure hooks of the tray icon and the hot key on a real window (under
// Wine in the Windows build): the order messages take through them, and the chain put
// back together whichever comes off first, down to the window's own procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "win32/window_hooks.h"

namespace reelmark::win32 {
namespace {

constexpr UINT kProbe = WM_APP + 7;
std::wstring g_seen;  // which procedures a probe passed through, in order
WindowProcHook* g_hookA = nullptr;
WindowProcHook* g_hookB = nullptr;

LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) {
    g_seen += L"own";
    return 42;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK HookA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) g_seen += L"A ";
  return g_hookA->CallNext(window, message, wParam, lParam);
}

LRESULT CALLBACK HookB(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) g_seen += L"B ";
  return g_hookB->CallNext(window, message, wParam, lParam);
}

class TestWindow {
 public:
  TestWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ReelmarkHookTest";
    ::RegisterClassExW(&windowClass);
    window_ = ::CreateWindowExW(0, L"ReelmarkHookTest", L"hooks", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  }
  ~TestWindow() { ::DestroyWindow(window_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

  std::wstring Probe() const {
    g_seen.clear();
    EXPECT_EQ(::SendMessageW(window_, kProbe, 0, 0), 42);
    return g_seen;
  }
  LONG_PTR Procedure() const { return ::GetWindowLongPtrW(window_, GWLP_WNDPROC); }

 private:
  HWND window_ = nullptr;
};

TEST(ShellHooks, TheLatestHookSeesMessagesFirstAndEitherOrderOfRemovalRestoresTheWindowsOwnProcedure) {
  for (const bool firstInstalledGoesFirst : {true, false}) {
    TestWindow window;
    ASSERT_NE(window.get(), nullptr);
    const LONG_PTR own = window.Procedure();
    auto a = std::make_unique<WindowProcHook>(window.get(), HookA);
    g_hookA = a.get();
    auto b = std::make_unique<WindowProcHook>(window.get(), HookB);
    g_hookB = b.get();
    EXPECT_EQ(window.Probe(), L"B A own");
    if (firstInstalledGoesFirst) {
      a.reset();  // from the middle of the chain, as the tray icon goes at shut-down
      EXPECT_EQ(window.Probe(), L"B own");
      b.reset();
    } else {
      b.reset();
      EXPECT_EQ(window.Probe(), L"A own");
      a.reset();
    }
    EXPECT_EQ(window.Probe(), L"own");
    EXPECT_EQ(window.Procedure(), own);
  }
}

}  // namespace
}  // namespace reelmark::win32
