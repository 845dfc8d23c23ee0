#include "shell/hot_key.h"

#include "base/numbers.h"

namespace reelmark {
namespace {

struct ModifierEntry {
  std::wstring_view text;
  std::int32_t flags;
};

constexpr ModifierEntry kModifiers[] = {
    {L"Ctrl", 2},      {L"Alt", 1},        {L"Shift", 4},          {L"Ctrl+Alt", 3},
    {L"Ctrl+Shift", 6}, {L"Ctrl+Alt+Shift", 7}, {L"Shift+Alt", 5},
};

}  // namespace

std::int32_t HotKeyModifiers(std::wstring_view modifierText) {
  for (const ModifierEntry& entry : kModifiers) {
    if (entry.text == modifierText) return entry.flags;
  }
  return 0;
}

HotKeyCombination ParseHotKeyText(std::wstring_view text) {
  const size_t comma = text.find(L',');
  if (comma == std::wstring_view::npos) return {0, WholeNumber(text)};
  return {HotKeyModifiers(text.substr(0, comma)), WholeNumber(text.substr(comma + 1))};
}

void SetHotKey(Platform& platform, std::int32_t id, std::wstring_view text, std::wstring_view mode) {
  if (mode == L"Add") {
    const HotKeyCombination key = ParseHotKeyText(text);
    platform.RegisterHotKey(id, key.modifiers, key.code);
  } else if (mode == L"Del") {
    platform.UnregisterHotKey(id);
  }
}

bool HotKeyCaptures(unsigned message, std::uintptr_t wParam) {
  // The identifier is compared with the program's own, whatever was registered last.
  return message == kWmHotKey && wParam == static_cast<std::uintptr_t>(kHotKeyId);
}

}  // namespace reelmark
