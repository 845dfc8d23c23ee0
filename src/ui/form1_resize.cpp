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
      CentreWindow();
      return;
  }
  if (onWindowChange_) onWindowChange_();
}

void Form1::HideWindow() {
  window.visible = false;
  if (onWindowChange_) onWindowChange_();
}

}  // namespace reelmark
