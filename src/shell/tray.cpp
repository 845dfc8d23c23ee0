#include "shell/tray.h"

#include <algorithm>

namespace reelmark {

TrayAction TrayMessageAction(unsigned message, std::intptr_t lParam, unsigned taskbarCreated) {
  if (message == kTrayCallbackMessage) {
    // Presses, moves and double clicks are left to the window: a double click acts
    // through its button releases only.
    if (lParam == kWmLButtonUp) return TrayAction::ShowWindow;
    if (lParam == kWmRButtonUp) return TrayAction::OpenMenu;
    return TrayAction::PassOn;
  }
  if (taskbarCreated != 0 && message == taskbarCreated) return TrayAction::AddIconAgain;
  return TrayAction::PassOn;
}

void FillTipField(std::wstring_view text, std::span<wchar_t> field) {
  if (field.empty()) return;
  size_t length = std::min(text.size(), field.size() - 1);
  // A cut between the two halves of a surrogate pair would leave a broken character.
  if (length > 0 && length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
  std::copy_n(text.begin(), length, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), L'\0');
}

}  // namespace reelmark
