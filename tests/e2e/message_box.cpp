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

// The button drawn as the default one; the dialog's default ID where no button says so.
int DefaultButton(HWND box) {
  for (int id : {IDOK, IDYES, IDNO}) {
    HWND button = GetDlgItem(box, id);
    if (button && IsWindowVisible(button) && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      return id;
    }
  }
  DWORD_PTR reply = 0;
  if (SendMessageTimeoutW(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &reply) && HIWORD(reply) == DC_HASDEFID) {
    return LOWORD(reply);
  }
  return 0;
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
  seen.defaultButton = DefaultButton(box);
  seen.owner = GetWindow(box, GW_OWNER);
  return seen;
}

bool AnswerMessageBox(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

}  // namespace e2e
