// The first copy's hand-off window: a message-only window, found by a second start in
// the same folder through its class name. It answers at once and posts the capture to
// itself, so the second start is not kept waiting while the capture waits for the player.
#pragma once

#include <windows.h>

#include <string>

#include "win32/unique_handle.h"

namespace reelmark {
class Form1;
}

namespace reelmark::win32 {

class HandOffWindow {
 public:
  // `form` must outlive the window.
  explicit HandOffWindow(Form1& form);
  ~HandOffWindow();
  HandOffWindow(const HandOffWindow&) = delete;
  HandOffWindow& operator=(const HandOffWindow&) = delete;

  // False when the window could not be made: the program then runs without it, and a
  // second start finds no one to hand over to.
  bool Create(HINSTANCE instance, const std::wstring& className);
  HWND Handle() const { return window_.get(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Form1& form_;
  HINSTANCE instance_ = nullptr;
  std::wstring className_;
  UINT handOffMessage_ = 0;
  UniqueWindow window_;
};

}  // namespace reelmark::win32
