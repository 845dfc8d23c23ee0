// Reading and working another program's controls like a person: the rows of a list box,
// a label's caption, a check box's state; clicks, keys and button presses as input
// messages, so they take the same road as real input.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The rows of a list box, or nothing when the list cannot be read.
std::optional<std::vector<std::wstring>> ListRows(HWND list);
// One row's text, or nothing when the list does not answer.
std::optional<std::wstring> ListRow(HWND list, int row);
// The number of rows, or nothing when the list does not answer.
std::optional<int> ListCount(HWND list);
// Each row's mark (its item data not 0): the rows drawn as films that are not there.
std::optional<std::vector<bool>> ListMarks(HWND list);
// A volume arrived on the drive `letter`, as the system tells every top-level window.
bool TellVolumeArrived(HWND window, wchar_t letter);
// The selected row, -1 when none; nothing when the list does not answer.
std::optional<int> ListSelection(HWND list);
std::wstring ControlText(HWND parent, int id);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; -1 when the control does not answer.
int CheckState(HWND parent, int id);

// Left click in the middle of a row: button down and up, as the mouse gives them.
bool ClickRow(HWND list, int row);
// Two left clicks in the middle of a row, the second a double click.
bool DoubleClickRow(HWND list, int row);
// Right button pressed over a row (near the top when the row has no place).
bool RightClickRow(HWND list, int row);
// A typed character, as the keyboard's translation delivers it.
void TypeChar(HWND window, wchar_t c);
// The same character, sent: it has been handled when this returns, so a look that follows
// sees its effect, or that it had none. False when the window did not answer.
bool TypeCharAndWait(HWND window, wchar_t c);
void PressKey(HWND window, UINT virtualKey);
// A button or check box pressed; posted so that a box it opens does not block the driver.
void PressButton(HWND parent, int id);
// A menu item chosen: the command as the menu sends it.
void ChooseMenuCommand(HWND window, int id);

// A click on the tray icon, as the taskbar reports it to the icon's window (WM_LBUTTONUP,
// WM_RBUTTONUP, WM_LBUTTONDBLCLK, ...).
void ClickTrayIcon(HWND main, UINT mouseMessage);
// The same, sent: the program has handled it when this returns (never for a right click,
// whose menu stays open until a choice). False when the program did not answer.
bool ClickTrayIconAndWait(HWND main, UINT mouseMessage);
// The tray icon's menu opened at the mouse, as a person opens it: the window is brought to
// the front first. The menu, or nullptr with `whyNot` saying what did not happen.
HWND OpenTrayMenu(HWND main, std::string& whyNot);

}  // namespace e2e
