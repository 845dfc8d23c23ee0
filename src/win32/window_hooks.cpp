#include "win32/window_hooks.h"

namespace reelmark::win32 {
namespace {

// Every hook in place; the program has one thread, so no lock.
WindowProcHook* g_installed = nullptr;

}  // namespace

WindowProcHook::WindowProcHook(HWND window, WNDPROC procedure) : window_(window), procedure_(procedure) {
  next_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  for (WindowProcHook* hook = g_installed; hook; hook = hook->nextInstalled_) {
    if (hook->window_ == window && hook->procedure_ == next_ && !hook->above_) {
      below_ = hook;
      hook->above_ = this;
      break;
    }
  }
  nextInstalled_ = g_installed;
  g_installed = this;
}

WindowProcHook::~WindowProcHook() {
  if (above_) {
    // In the middle of the chain: the hook above now hands on to what this one did.
    above_->next_ = next_;
    above_->below_ = below_;
  } else if (::IsWindow(window_) &&
             ::GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(procedure_)) {
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next_));
  }
  if (below_) below_->above_ = above_;
  for (WindowProcHook** link = &g_installed; *link; link = &(*link)->nextInstalled_) {
    if (*link == this) {
      *link = nextInstalled_;
      break;
    }
  }
}

LRESULT WindowProcHook::CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  const WNDPROC next = next_;  // nothing of this hook is read after the call
  return ::CallWindowProcW(next, window, message, wParam, lParam);
}

LRESULT PassOnWithoutHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!::IsWindow(window)) return 0;
  const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
  return ::CallWindowProcW(current, window, message, wParam, lParam);
}

}  // namespace reelmark::win32
