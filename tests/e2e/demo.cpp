#include "demo.h"

#include <windows.h>

#include <cstdio>

#include "desktop.h"
#include "message_box.h"
#include "text.h"

namespace e2e {
namespace {

constexpr DWORD kDemoWaitMs = 60000;

// A visible message box of any process whose owner is Reelmark's main window.
HWND ReelmarkQuestion() {
  for (HWND window : TopLevelWindows(0, true)) {
    if (ClassOf(window) != L"#32770") continue;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner && ClassOf(owner) == L"ReelmarkForm1") return window;
  }
  return nullptr;
}

bool MainWindowShown() {
  HWND main = FindWindowW(L"ReelmarkForm1", nullptr);
  return main && IsWindowVisible(main);
}

void Say(const std::string& line) { printf("%s\n", line.c_str()); fflush(stdout); }

}  // namespace

int RunDemoStep(const std::wstring& step) {
  HWND box = nullptr;
  if (step == L"--demo-wait-question") {
    if (!WaitUntil([&] { return (box = ReelmarkQuestion()) != nullptr; }, kDemoWaitMs)) {
      Say("no question from Reelmark within 60 s");
      return 1;
    }
    Say("Reelmark asks: " + ReadMessageBox(box).Describe());
    return 0;
  }
  if (step == L"--demo-answer-yes") {
    if (!WaitUntil([&] { return (box = ReelmarkQuestion()) != nullptr; }, kDemoWaitMs)) {
      Say("no question from Reelmark to answer");
      return 1;
    }
    AnswerMessageBox(box, IDYES);
    return RunDemoStep(L"--demo-wait-window");
  }
  if (step == L"--demo-wait-window") {
    if (!WaitUntil(MainWindowShown, kDemoWaitMs)) {
      Say("Reelmark's window did not show within 60 s");
      return 1;
    }
    Say("Reelmark's window is shown");
    return 0;
  }
  Say("unknown demo step " + ToUtf8(step));
  return 2;
}

}  // namespace e2e
