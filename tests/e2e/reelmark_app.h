// Reelmark running in a player folder, seen from outside: the questions it asks, its
// main window and controls, and its end. Each expectation records what was expected and
// what was seen; the process is ended when the object goes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "message_box.h"
#include "player_folder.h"
#include "process.h"

namespace e2e {

// Control IDs and menu commands the program publishes for tests outside it.
namespace ids {
inline constexpr int kList1 = 1001;
inline constexpr int kCommand1 = 1101, kCommand2 = 1102, kCommand3 = 1103, kCommand4 = 1104;
inline constexpr int kCheck1 = 1200;  // Check1(i) is kCheck1 + i
inline constexpr int kLabel2 = 1302, kLabel3 = 1303, kLabel4 = 1304;
inline constexpr int kMoveUp = 2004, kMoveDown = 2005, kClr1 = 2006, kDel1 = 2007, kZouren = 2010;
inline constexpr int kTrayExit = 2102;
}  // namespace ids

// The tray icon's callback message; its lParam is the mouse message over the icon.
inline constexpr UINT kTrayMessage = 2025;

struct ExpectedBox {
  std::wstring title;
  std::wstring text;
  Buttons buttons;
  int answer;  // IDOK, IDYES or IDNO
};

class ReelmarkApp {
 public:
  ReelmarkApp(Checks& checks, const PlayerFolder& folder) : checks_(checks), folder_(folder) {}

  // Starts reelmark.exe in its folder; stops the scenario when it cannot.
  void Start();

  // A question or notice of start-up, asked while the main window is still hidden.
  void ExpectStartupBox(const ExpectedBox& box);
  // A question or notice while the window is shown.
  void ExpectBox(const ExpectedBox& box);
  // The same, left open for the scenario to act first; it then answers with
  // AnswerMessageBox. Nothing when the box was not the one expected (then answered).
  HWND ExpectBoxOpen(const ExpectedBox& box);
  // Start-up is over: the main window shows, and no further question came first.
  void ExpectShown();
  // The program ends, with no question first.
  void ExpectEnded(const char* after);
  // The program ends without ever showing its main window.
  void ExpectEndedUnseen(const char* after);

  HWND Main() const { return main_; }
  HWND List() const;
  std::vector<std::wstring> Rows();
  int Selection();
  std::wstring Label2() const { return ControlText(ids::kLabel2); }
  std::wstring ControlText(int id) const;
  int Check(int index) const;
  // Waits until the list holds `rows` (bounded); true when it does. Callers then check.
  bool WaitForRows(const std::vector<std::wstring>& rows);
  bool WaitForSelection(int row);
  // The list's rows, selection and Label2 as expected.
  void ExpectList(const char* after, const std::vector<std::wstring>& rows, int selection,
                  const std::wstring& label2);
  // A visible popup menu of the program, or nullptr.
  HWND PopupMenu() const;

  const Process& Proc() const { return process_; }

 private:
  enum class Event { Box, Shown, Ended, Timeout };
  Event Next(bool shownCounts, HWND* box);
  // Answers the box unless asked to leave it open (and it is the expected one).
  HWND Meet(const ExpectedBox& expected, bool whileHidden, bool leaveOpen = false);
  void AwaitEnd(const char* after, bool windowIsFault);

  Checks& checks_;
  const PlayerFolder& folder_;
  Process process_;
  HWND main_ = nullptr;
};

}  // namespace e2e
