#include "controls.h"

#include <dbt.h>

#include "desktop.h"
#include "text.h"

namespace e2e {
namespace {

constexpr UINT kTrayMessage = 2025;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM w, LPARAM l) {
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, kWaitMs, &reply)) return std::nullopt;
  return static_cast<LRESULT>(reply);
}

// The middle of a row in client coordinates; the list box marshals the rectangle across
// processes.
std::optional<POINT> RowCentre(HWND list, int row) {
  RECT item{};
  auto got = Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  if (!got || *got == LB_ERR || item.bottom <= item.top) return std::nullopt;
  return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void PostLeftClick(HWND list, LPARAM where) {
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(list, WM_LBUTTONUP, 0, where);
}

}  // namespace

std::optional<int> ListCount(HWND list) {
  auto count = Ask(list, LB_GETCOUNT, 0, 0);
  if (!count || *count < 0) return std::nullopt;
  return static_cast<int>(*count);
}

std::optional<std::vector<bool>> ListMarks(HWND list) {
  const std::optional<int> count = ListCount(list);
  if (!count) return std::nullopt;
  std::vector<bool> marks;
  for (int row = 0; row < *count; ++row) {
    const auto data = Ask(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    if (!data || *data == LB_ERR) return std::nullopt;
    marks.push_back(*data != 0);
  }
  return marks;
}

bool TellVolumeArrived(HWND window, wchar_t letter) {
  // The system carries the broadcast's block across processes, as it does for its own.
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << ((letter & ~0x20) - L'A');
  return Ask(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume)).has_value();
}

std::optional<std::wstring> ListRow(HWND list, int row) {
  auto length = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (!length || *length < 0) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  auto got = Ask(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  if (!got || *got < 0) return std::nullopt;
  text.resize(static_cast<size_t>(*got));
  return text;
}

std::optional<std::vector<std::wstring>> ListRows(HWND list) {
  auto count = ListCount(list);
  if (!count) return std::nullopt;
  std::vector<std::wstring> rows;
  for (int i = 0; i < *count; ++i) {
    auto text = ListRow(list, i);
    if (!text) return std::nullopt;
    rows.push_back(std::move(*text));
  }
  return rows;
}

std::optional<int> ListSelection(HWND list) {
  auto selected = Ask(list, LB_GETCURSEL, 0, 0);
  if (!selected) return std::nullopt;
  return static_cast<int>(*selected);
}

std::wstring ControlText(HWND parent, int id) {
  HWND control = GetDlgItem(parent, id);
  return control ? TextOf(control) : L"<no control " + std::to_wstring(id) + L">";
}

int CheckState(HWND parent, int id) {
  HWND control = GetDlgItem(parent, id);
  if (!control) return -1;
  auto state = Ask(control, BM_GETCHECK, 0, 0);
  return state ? static_cast<int>(*state) : -1;
}

bool ClickRow(HWND list, int row) {
  auto at = RowCentre(list, row);
  if (!at) return false;
  PostLeftClick(list, MAKELPARAM(at->x, at->y));
  return true;
}

bool DoubleClickRow(HWND list, int row) {
  auto at = RowCentre(list, row);
  if (!at) return false;
  const LPARAM where = MAKELPARAM(at->x, at->y);
  // The order the mouse gives: the first click selects, the second is the double click.
  PostLeftClick(list, where);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
  PostMessageW(list, WM_LBUTTONUP, 0, where);
  return true;
}

bool RightClickRow(HWND list, int row) {
  POINT at{10, 10};
  if (auto centre = RowCentre(list, row)) at = *centre;
  const LPARAM where = MAKELPARAM(at.x, at.y);
  // The button's release is left out: the menu that opens would take it as a choice.
  PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, where);
  return true;
}

void TypeChar(HWND window, wchar_t c) { PostMessageW(window, WM_CHAR, c, 1); }

bool TypeCharAndWait(HWND window, wchar_t c) { return Ask(window, WM_CHAR, c, 1).has_value(); }

void PressKey(HWND window, UINT virtualKey) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void PressButton(HWND parent, int id) {
  if (HWND button = GetDlgItem(parent, id)) PostMessageW(button, BM_CLICK, 0, 0);
}

void ChooseMenuCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ClickTrayIcon(HWND main, UINT mouseMessage) { PostMessageW(main, kTrayMessage, 0, mouseMessage); }

bool ClickTrayIconAndWait(HWND main, UINT mouseMessage) {
  return Ask(main, kTrayMessage, 0, mouseMessage).has_value();
}

// Under Wine a change of the foreground window that arrives late from the X server
// cancels a menu just opened; so the window is first brought to the front (the left
// click does that) and settled there, then the right click opens the menu.
HWND OpenTrayMenu(HWND main, std::string& whyNot) {
  ClickTrayIcon(main, WM_LBUTTONUP);
  if (!WaitUntilSteady([&] { return GetForegroundWindow() == main; }, 300)) {
    whyNot = "left click on the tray icon: expected the window in front, seen " +
             Shown(ClassOf(GetForegroundWindow())) + " " + Shown(TextOf(GetForegroundWindow()));
    return nullptr;
  }
  ClickTrayIcon(main, WM_RBUTTONUP);
  HWND menu = nullptr;
  if (!WaitUntil([&] { return (menu = FindWindowOfClass(ProcessOf(main), L"#32768", true)) != nullptr; })) {
    whyNot = "right click on the tray icon: expected a popup menu (#32768), seen none";
    return nullptr;
  }
  return menu;
}

}  // namespace e2e
