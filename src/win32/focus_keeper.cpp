#include "win32/focus_keeper.h"

namespace reelmark::win32 {
namespace {

bool CanTakeFocus(HWND window, HWND control) {
  return control && ::IsChild(window, control) && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
}

}  // namespace

void FocusKeeper::Remember(HWND window) {
  const HWND focus = ::GetFocus();
  if (focus && ::IsChild(window, focus)) remembered_ = focus;
}

void FocusKeeper::Restore(HWND window, HWND first) {
  const HWND target = CanTakeFocus(window, remembered_) ? remembered_ : first;
  if (CanTakeFocus(window, target)) ::SetFocus(target);
}

}  // namespace reelmark::win32
