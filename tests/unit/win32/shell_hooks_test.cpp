// The window procedure hooks of the tray icon and the hot key on a real window (under
// Wine in the Windows build): the order messages take through them, the chain put back
// together whichever comes off first, and the tray's and the hot key's own messages.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_platform.h"
#include "ui/form1.h"
#include "win32/hot_key.h"
#include "win32/tray_icon.h"
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

bool IconPresent(HWND window) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = 0;
  return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

bool HotKeyFree(UINT modifiers, UINT code) {
  if (!::RegisterHotKey(nullptr, 0xBFFF, modifiers, code)) return false;
  ::UnregisterHotKey(nullptr, 0xBFFF);
  return true;
}

TEST(ShellHooks, TheTrayIconAndHotKeyHandTheirMessagesToTheFormAndGoCleanly) {
  testing::FakePlatform platform;
  Form1 form(platform);
  TestWindow window;
  ASSERT_NE(window.get(), nullptr);
  const LONG_PTR own = window.Procedure();
  auto tray = std::make_unique<TrayIcon>(window.get(), form);
  tray->SetTip(std::wstring(300, L'x'));  // cut to its field, not overrun
  auto hotKey = std::make_unique<HotKey>(window.get(), form);
  hotKey->Register(1, MOD_CONTROL | MOD_ALT, VK_F2);
  EXPECT_TRUE(IconPresent(window.get()));
  EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_F2)) << "Ctrl+Alt+F2 is not registered";

  form.window.visible = false;
  EXPECT_EQ(::SendMessageW(window.get(), 2025, 0, WM_LBUTTONUP), 0);
  EXPECT_TRUE(form.window.visible);
  EXPECT_EQ(platform.shellCalls, (std::vector<std::wstring>{L"FocusMainWindow"}));
  EXPECT_EQ(::SendMessageW(window.get(), 2025, 0, WM_RBUTTONUP), 0);
  EXPECT_EQ(platform.popupMenus, (std::vector<std::string>{"mnuTray"}));
  ::SendMessageW(window.get(), 2025, 0, WM_LBUTTONDBLCLK);
  ::SendMessageW(window.get(), WM_HOTKEY, 2, 0);  // another identifier: no capture
  EXPECT_EQ(window.Probe(), L"own");  // everything else goes through both hooks
  EXPECT_EQ(platform.popupMenus.size(), 1u);
  EXPECT_EQ(platform.shellCalls.size(), 1u);

  // A restarted taskbar has no icons; its broadcast puts ours back.
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof gone;
  gone.hWnd = window.get();
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &gone));
  EXPECT_FALSE(IconPresent(window.get()));
  ::SendMessageW(window.get(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IconPresent(window.get()));

  // The tray icon goes first, from beneath the hot key's hook, as at shut-down.
  tray.reset();
  EXPECT_FALSE(IconPresent(window.get()));
  EXPECT_EQ(window.Probe(), L"own");
  EXPECT_NE(window.Procedure(), own);
  hotKey.reset();
  EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_F2));
  EXPECT_EQ(window.Procedure(), own);
}

}  // namespace
}  // namespace reelmark::win32
