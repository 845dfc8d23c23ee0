// The tray icon's clicks, as the tray's window procedure hands them to the form.
#include "ui/form1.h"

namespace reelmark {

// The resize handler then gives a window restored from its hidden state its fixed size,
// centred.
void Form1::ShowFromTray() {
  window.visible = true;
  window.state = WindowShowState::Normal;
  if (onWindowChange_) onWindowChange_();
  platform_.FocusMainWindow();
  ShownAgain();
}

void Form1::OpenTrayMenu() { platform_.ShowPopupMenu(mnuTray); }

}  // namespace reelmark
