#include "message_box.h"

#include "desktop.h"
#include "text.h"

namespace e2e {
namespace {

// The static control that carries a message box's text.
constexpr int kTextControlId = 0xFFFF;

bool HasButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  return button && IsWindowVisible(button);
}

}  // namespace

const char* ButtonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return "OK";
    case Buttons::YesNo: return "Yes/No";
    case Buttons::Other: break;
  }
  return "other buttons";
}

std::string MessageBoxSeen::Describe() const {
  return "box title " + Shown(title) + " text " + Shown(text) + " with " + ButtonsName(buttons);
}

HWND FindMessageBox(DWORD pid) { return FindWindowOfClass(pid, L"#32770", true); }

MessageBoxSeen ReadMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.window = box;
  seen.title = TextOf(box);
  if (HWND text = GetDlgItem(box, kTextControlId)) seen.text = TextOf(text);
  const bool ok = HasButton(box, IDOK), yes = HasButton(box, IDYES), no = HasButton(box, IDNO);
  const bool cancel = HasButton(box, IDCANCEL);
  if (ok && !yes && !no && !cancel) seen.buttons = Buttons::Ok;
  else if (yes && no && !ok && !cancel) seen.buttons = Buttons::YesNo;
  DWORD_PTR reply = 0;
  if (SendMessageTimeoutW(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &reply) &&
      HIWORD(reply) == DC_HASDEFID) {
    seen.defaultButton = LOWORD(reply);
  }
  seen.owner = GetWindow(box, GW_OWNER);
  return seen;
}

bool AnswerMessageBox(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

}  // namespace e2e
