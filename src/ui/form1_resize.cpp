// Sizing and hiding: the window has one size, centred on the screen, and no maximised
// state; minimised it hides completely and lives on as the tray icon.
#include "ui/form1.h"

namespace reelmark {

void Form1::Form_Resize() {
  switch (window.state) {
    case WindowShowState::Minimized:
      // Hidden, it leaves no taskbar button; the hot key still works.
      window.visible = false;
      break;
    case WindowShowState::Maximized:
      // The minimising raises a resize of its own, which hides the window.
      window.state = WindowShowState::Minimized;
      break;
    case WindowShowState::Normal:
      if (FixedWidth <= 0 || FixedHeight <= 0) return;  // start-up has not taken the size yet
      window.width = FixedWidth;
      window.height = FixedHeight;
      if (keepPosition_) break;
      CentreWindow();
      return;
  }
  if (onWindowChange_) onWindowChange_();
}

void Form1::Form_DpiChanged(int left, int top, int width, int height) {
  FixedWidth = width;
  FixedHeight = height;
  window.left = left;
  window.top = top;
  window.width = width;
  window.height = height;
  // Centring on the primary screen here would pull a window dragged onto another monitor
  // back at once; the next change of size or state centres it again.
  keepPosition_ = true;
  if (onWindowChange_) onWindowChange_();
  keepPosition_ = false;
}

void Form1::HideWindow() {
  window.visible = false;
  if (onWindowChange_) onWindowChange_();
}

}  // namespace reelmark
