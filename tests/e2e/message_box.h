// The system's message boxes as a person meets them: a visible dialog window of the
// program, its title, its text and its buttons, answered by pressing one button.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

enum class Buttons { Ok, YesNo, Other };

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  Buttons buttons = Buttons::Other;
  int defaultButton = 0;  // control ID, 0 when the box names none
  HWND owner = nullptr;

  std::string Describe() const;  // title, text and buttons, for failure messages
};

// A visible dialog window (#32770) of the process, or nullptr.
HWND FindMessageBox(DWORD pid);
MessageBoxSeen ReadMessageBox(HWND box);
// Presses the button (IDOK, IDYES, IDNO) and waits until the box is gone.
bool AnswerMessageBox(HWND box, int button);

const char* ButtonsName(Buttons buttons);

}  // namespace e2e
