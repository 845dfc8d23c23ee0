// The tray icon's rules: what a message reaching the window's tray procedure asks for,
// and the tip text as it fits the icon's tip field.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace reelmark {

// The message the icon sends the window on mouse input over it (WM_USER + 1001); its
// lParam is the mouse message.
inline constexpr unsigned kTrayCallbackMessage = 2025;
inline constexpr std::intptr_t kWmLButtonUp = 514;
inline constexpr std::intptr_t kWmRButtonUp = 517;

enum class TrayAction {
  PassOn,        // not the tray's: on to the window's own procedure
  ShowWindow,    // left button released over the icon: the window shown, normal, with the focus
  OpenMenu,      // right button released over the icon: the tray menu at the mouse
  AddIconAgain,  // the taskbar was (re)started: the icon is added again, and the message goes on
};

// `taskbarCreated` is the message the taskbar broadcasts when it starts, as registered
// with the system; 0 when it could not be registered (no message then means it).
TrayAction TrayMessageAction(unsigned message, std::intptr_t lParam, unsigned taskbarCreated);

// Puts the tip into the icon's fixed field: as much of the text as fits before a
// terminating NUL (never half of a surrogate pair), the rest of the field NUL. Nothing
// is written outside the field; an empty field is left alone.
void FillTipField(std::wstring_view text, std::span<wchar_t> field);

}  // namespace reelmark
