#include "demo.h"

#include <windows.h>

#include <cstdio>

#include "controls.h"
#include "desktop.h"
#include "drop_clipboard.h"
#include "keyboard.h"
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

void Say(const std::string& line) {
  printf("%s\n", line.c_str());
  fflush(stdout);
}

// Moves the driver's thread to the named desktop, where the demo's windows live; the
// desktop comes with the first program started on it.
bool UseDesktop(const std::wstring& name) {
  HDESK desktop = nullptr;
  WaitUntil([&] { return (desktop = OpenDesktopW(name.c_str(), 0, FALSE, GENERIC_ALL)) != nullptr; }, kDemoWaitMs);
  return desktop && SetThreadDesktop(desktop);
}

int RunStep(const std::wstring& step) {
  HWND box = nullptr;
  if (step == L"--demo-wait-player") {
    if (!WaitUntil([] { return FindTitled(0, L"MPlayer - ") != nullptr; }, kDemoWaitMs)) {
      Say("the player's window did not show within 60 s");
      return 1;
    }
    Say("the player plays: " + Shown(TextOf(FindTitled(0, L"MPlayer - "))));
    return 0;
  }
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
    return RunStep(L"--demo-wait-window");
  }
  if (step == L"--demo-wait-window") {
    if (!WaitUntil(MainWindowShown, kDemoWaitMs)) {
      Say("Reelmark's window did not show within 60 s");
      return 1;
    }
    Say("Reelmark's window is shown");
    return 0;
  }
  if (step == L"--demo-capture") {
    // The button "收藏正在播放的电影"; the capture is over once the player has gone.
    HWND main = FindWindowW(L"ReelmarkForm1", nullptr);
    HWND button = main ? GetDlgItem(main, 1104) : nullptr;
    if (!button) {
      Say("Reelmark's window is not there to capture with");
      return 1;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    const bool closed = WaitUntil([] { return FindTitled(0, L"MPlayer - ") == nullptr; }, kDemoWaitMs);
    Say(closed ? "captured: the player has closed" : "the player did not close within 60 s");
    return closed ? 0 : 1;
  }
  if (step == L"--demo-select-marked") {
    // The last row marked as a film not there, once the marks have come, is selected.
    HWND main = FindWindowW(L"ReelmarkForm1", nullptr);
    HWND list = main ? GetDlgItem(main, 1001) : nullptr;
    int row = -1;
    const auto marked = [&] {
      const auto marks = ListMarks(list);
      for (size_t i = 0; marks && i < marks->size(); ++i) {
        if ((*marks)[i]) row = static_cast<int>(i);
      }
      return row > 0;
    };
    if (!list || !WaitUntil(marked, kDemoWaitMs)) {
      Say("no row of Reelmark's list is marked");
      return 1;
    }
    ClickRow(list, row);
    WaitUntil([&] { return ListSelection(list) == row; }, kDemoWaitMs);
    Say("row " + std::to_string(row) + ", a film not there, is selected");
    return 0;
  }
  if (step == L"--demo-tray-menu") {
    HWND main = FindWindowW(L"ReelmarkForm1", nullptr);
    if (!main) {
      Say("Reelmark's window is not there to open its tray menu");
      return 1;
    }
    // Where the taskbar shows the icon, so the menu opens beside it.
    MoveMouseTo({GetSystemMetrics(SM_CXSCREEN) - 12, GetSystemMetrics(SM_CYSCREEN) - 10});
    std::string whyNot;
    if (!OpenTrayMenu(main, whyNot)) {
      Say(whyNot);
      return 1;
    }
    Say("the tray menu is open");
    return 0;
  }
  if (step == L"--demo-close") {
    HWND main = FindWindowW(L"ReelmarkForm1", nullptr);
    if (!main) return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    // A menu left open would take the close into its own loop.
    if (HWND menu = FindWindowOfClass(pid, L"#32768", true)) {
      PressKey(menu, VK_ESCAPE);
      WaitUntil([pid] { return FindWindowOfClass(pid, L"#32768", true) == nullptr; }, 5000);
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    // Shut-down may ask whether to remove the current favourite: keep it.
    const bool gone = WaitUntil(
        [main] {
          if (HWND question = ReelmarkQuestion()) AnswerMessageBox(question, IDNO);
          return !IsWindow(main);
        },
        kDemoWaitMs);
    Say(gone ? "Reelmark has closed" : "Reelmark did not close within 60 s");
    return gone ? 0 : 1;
  }
  Say("unknown demo step " + ToUtf8(step));
  return 2;
}

// Drops the files on the list of the shown main window.
int DropOnList(const std::vector<std::wstring>& paths) {
  if (!WaitUntil(MainWindowShown, kDemoWaitMs)) {
    Say("Reelmark's window did not show within 60 s");
    return 1;
  }
  HWND main = FindWindowW(L"ReelmarkForm1", nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  if (!DropFiles(pid, GetDlgItem(main, 1001), paths)) {
    Say("cannot drop the files on Reelmark's list");
    return 1;
  }
  Say("dropped " + std::to_string(paths.size()) + " files on the list");
  return 0;
}

}  // namespace

int RunDemoStep(const std::vector<std::wstring>& arguments) {
  size_t next = 0;
  const std::wstring prefix = L"--desktop=";
  if (next < arguments.size() && arguments[next].rfind(prefix, 0) == 0) {
    const std::wstring name = arguments[next++].substr(prefix.size());
    if (!UseDesktop(name)) {
      Say("cannot use the desktop " + ToUtf8(name));
      return 2;
    }
  }
  if (next < arguments.size() && arguments[next] == L"--demo-drop") {
    const auto paths = arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1;
    return DropOnList(std::vector<std::wstring>(paths, arguments.end()));
  }
  return next < arguments.size() ? RunStep(arguments[next]) : 2;
}

}  // namespace e2e
