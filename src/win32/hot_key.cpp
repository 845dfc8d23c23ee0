#include "win32/hot_key.h"

#include "shell/hot_key.h"
#include "ui/form1.h"

namespace reelmark::win32 {
namespace {

// One hot key hook for the whole program: its window procedure finds it here.
HotKey* g_hotKey = nullptr;

}  // namespace

HotKey::HotKey(HWND window, Form1& form) : window_(window), form_(form), hook_(window, HotKeyWndProc) {
  g_hotKey = this;
}

HotKey::~HotKey() {
  if (registered_) ::UnregisterHotKey(window_, registeredId_);
  g_hotKey = nullptr;
}

void HotKey::Register(int id, UINT modifiers, UINT code) {
  if (registered_) ::UnregisterHotKey(window_, registeredId_);
  // A key held down gives one capture, not one per auto-repeat (Windows 7 and later).
  registered_ = ::RegisterHotKey(window_, id, modifiers | MOD_NOREPEAT, code) != FALSE;
  registeredId_ = id;
}

LRESULT CALLBACK HotKeyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_hotKey) return PassOnWithoutHook(window, message, wParam, lParam);
  // The capture runs to its end here; the message then goes on like every other. A
  // question the capture asks lets other input in, which may end the program meanwhile.
  if (HotKeyCaptures(message, wParam)) {
    g_hotKey->form_.ddd();
    if (!g_hotKey) return PassOnWithoutHook(window, message, wParam, lParam);
  }
  return g_hotKey->hook_.CallNext(window, message, wParam, lParam);
}

}  // namespace reelmark::win32
