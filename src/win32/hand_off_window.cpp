#include "win32/hand_off_window.h"

#include "shell/single_copy.h"
#include "ui/form1.h"

namespace reelmark::win32 {
namespace {

constexpr UINT kCaptureHandedOff = WM_APP + 1;

}  // namespace

HandOffWindow::HandOffWindow(Form1& form) : form_(form) {}

HandOffWindow::~HandOffWindow() {
  window_.reset();
  if (!className_.empty()) ::UnregisterClassW(className_.c_str(), instance_);
}

bool HandOffWindow::Create(HINSTANCE instance, const std::wstring& className) {
  handOffMessage_ = ::RegisterWindowMessageW(kHandOffMessageName);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &HandOffWindow::WindowProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className.c_str();
  if (handOffMessage_ == 0 || !::RegisterClassExW(&windowClass)) return false;
  instance_ = instance;
  className_ = className;
  window_.reset(::CreateWindowExW(0, className.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this));
  return static_cast<bool>(window_);
}

LRESULT CALLBACK HandOffWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<HandOffWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<HandOffWindow*>(::GetWindowLongPtrW(window, 0));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == self->handOffMessage_) {
    if (!self->form_.AcceptsHandOff()) return kHandOffRefused;
    ::PostMessageW(window, kCaptureHandedOff, 0, 0);
    return kHandOffTaken;
  }
  if (message == kCaptureHandedOff) {
    self->form_.HandOffCapture();
    return 0;
  }
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, 0, 0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace reelmark::win32
