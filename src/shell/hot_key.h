// The global hot key: its text ("Ctrl+Alt,113": the modifiers, a comma, the virtual-key
// code), what registering and unregistering it asks of the system, and which of the
// window's messages it turns into a capture.
#pragma once

#include <cstdint>
#include <string_view>

#include "system/platform.h"

namespace reelmark {

// The program's one hot key: Ctrl+Alt+F2 (113 is F2) under the identifier 1.
inline constexpr std::int32_t kHotKeyId = 1;
inline constexpr wchar_t kHotKeyText[] = L"Ctrl+Alt,113";
inline constexpr unsigned kWmHotKey = 786;  // WM_HOTKEY

struct HotKeyCombination {
  std::int32_t modifiers = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4
  std::int32_t code = 0;       // virtual-key code
  bool operator==(const HotKeyCombination&) const = default;
};

// The flags of a modifier text, matched exactly (letter case counts) against the
// program's table; any other text (Alt+Ctrl, for one) means no modifier.
std::int32_t HotKeyModifiers(std::wstring_view modifierText);

// The modifiers before the first comma and the code after it; without a comma the whole
// text is the code and there is no modifier. The code is the number the text starts
// with, rounded to a whole number (a half to the even neighbour), 0 when there is none.
HotKeyCombination ParseHotKeyText(std::wstring_view text);

// Mode "Add" registers the key of the text under the identifier; "Del" unregisters the
// identifier (the text is not looked at). Any other mode changes nothing.
void SetHotKey(Platform& platform, std::int32_t id, std::wstring_view text, std::wstring_view mode);

// True when a message reaching the window is the program's hot key, which captures the
// playing film. The message goes on to the window either way.
bool HotKeyCaptures(unsigned message, std::uintptr_t wParam);

}  // namespace reelmark
