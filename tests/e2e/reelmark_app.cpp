#include "reelmark_app.h"

#include "controls.h"
#include "desktop.h"
#include "text.h"

namespace e2e {
namespace {

constexpr wchar_t kMainClass[] = L"ReelmarkForm1";

std::string Expected(const ExpectedBox& box) {
  return "box title " + Shown(box.title) + " text " + Shown(box.text) + " with " + ButtonsName(box.buttons);
}

// Stray questions are answered so that the run can go on; No is never the harmful answer.
int HarmlessAnswer(const MessageBoxSeen& seen) { return seen.buttons == Buttons::Ok ? IDOK : IDNO; }

}  // namespace

void ReelmarkApp::Start() {
  process_ = Process::Start(folder_.Reelmark(), L"", folder_.Path());
  checks_.Require(static_cast<bool>(process_), "reelmark.exe did not start from " + ToUtf8(folder_.Reelmark()));
}

ReelmarkApp::Event ReelmarkApp::Next(bool shownCounts, HWND* box) {
  Event event = Event::Timeout;
  WaitUntil([&] {
    if ((*box = FindMessageBox(process_.Id()))) {
      event = Event::Box;
    } else if (!process_.Running()) {
      event = Event::Ended;
    } else if (shownCounts && (main_ = FindWindowOfClass(process_.Id(), kMainClass, true))) {
      event = Event::Shown;
    }
    return event != Event::Timeout;
  });
  return event;
}

HWND ReelmarkApp::Meet(const ExpectedBox& expected, bool whileHidden, bool leaveOpen) {
  HWND window = nullptr;
  switch (Next(whileHidden, &window)) {
    case Event::Box: break;
    case Event::Shown: checks_.Stop("expected " + Expected(expected) + ", seen the main window shown without it");
    case Event::Ended: checks_.Stop("expected " + Expected(expected) + ", seen the program end");
    case Event::Timeout:
      checks_.Stop("expected " + Expected(expected) + ", seen nothing within " + std::to_string(kWaitMs / 1000) + " s");
  }
  const MessageBoxSeen seen = ReadMessageBox(window);
  const bool same = seen.title == expected.title && seen.text == expected.text && seen.buttons == expected.buttons;
  checks_.Expect(same, "expected " + Expected(expected) + ", seen " + seen.Describe());
  if (same) {
    const int defaultButton = expected.buttons == Buttons::YesNo ? IDYES : IDOK;
    checks_.Expect(seen.defaultButton == defaultButton,
                   "box " + Shown(seen.title) + ": expected default button " + std::to_string(defaultButton) +
                       ", seen " + std::to_string(seen.defaultButton));
  }
  checks_.Expect(seen.owner && ClassOf(seen.owner) == kMainClass && ProcessOf(seen.owner) == process_.Id(),
                 "box " + Shown(seen.title) + ": expected to be owned by the main window, seen owner class " +
                     (seen.owner ? Shown(ClassOf(seen.owner)) : std::string("none")));
  if (whileHidden) {
    HWND shown = FindWindowOfClass(process_.Id(), kMainClass, true);
    checks_.Expect(!shown, "box " + Shown(seen.title) + ": expected while the main window is still hidden, "
                           "seen the main window visible");
  }
  if (same && leaveOpen) return window;
  const int answer = same ? expected.answer : HarmlessAnswer(seen);
  checks_.Require(AnswerMessageBox(window, answer), "box " + Shown(seen.title) + " did not go after it was answered");
  return nullptr;
}

void ReelmarkApp::ExpectStartupBox(const ExpectedBox& box) { Meet(box, true); }

void ReelmarkApp::ExpectBox(const ExpectedBox& box) { Meet(box, false); }

HWND ReelmarkApp::ExpectBoxOpen(const ExpectedBox& box) { return Meet(box, false, true); }

void ReelmarkApp::ExpectShown() {
  for (int stray = 0; stray < 5; ++stray) {
    HWND window = nullptr;
    switch (Next(true, &window)) {
      case Event::Shown: return;
      case Event::Box: {
        const MessageBoxSeen seen = ReadMessageBox(window);
        checks_.Expect(false, "expected the main window with no further question, seen " + seen.Describe());
        checks_.Require(AnswerMessageBox(window, HarmlessAnswer(seen)), "a stray box did not go when answered");
        break;
      }
      case Event::Ended: checks_.Stop("expected the main window, seen the program end");
      case Event::Timeout: checks_.Stop("expected the main window within " + std::to_string(kWaitMs / 1000) + " s, seen nothing");
    }
  }
  checks_.Stop("expected the main window, seen one question after another");
}

void ReelmarkApp::ExpectEnded(const char* after) { AwaitEnd(after, false); }

void ReelmarkApp::ExpectEndedUnseen(const char* after) { AwaitEnd(after, true); }

void ReelmarkApp::AwaitEnd(const char* after, bool windowIsFault) {
  for (int stray = 0; stray < 5; ++stray) {
    HWND window = nullptr;
    switch (Next(windowIsFault, &window)) {
      case Event::Ended: return;
      case Event::Box: {
        const MessageBoxSeen seen = ReadMessageBox(window);
        checks_.Expect(false, std::string(after) + ": expected the program to end, seen " + seen.Describe());
        checks_.Require(AnswerMessageBox(window, HarmlessAnswer(seen)), "a stray box did not go when answered");
        break;
      }
      case Event::Shown:
        checks_.Stop(std::string(after) + ": expected the program to end without showing its window, seen the "
                     "main window shown");
      case Event::Timeout:
        checks_.Stop(std::string(after) + ": expected the program to end within " + std::to_string(kWaitMs / 1000) +
                     " s, seen it still running");
    }
  }
  checks_.Stop(std::string(after) + ": expected the program to end, seen one question after another");
}

HWND ReelmarkApp::List() const { return GetDlgItem(main_, ids::kList1); }

std::vector<std::wstring> ReelmarkApp::Rows() {
  auto rows = ListRows(List());
  checks_.Require(rows.has_value(), "the list box (ID 1001) did not answer LB_GETCOUNT/LB_GETTEXT");
  return *rows;
}

int ReelmarkApp::Selection() {
  auto selected = ListSelection(List());
  checks_.Require(selected.has_value(), "the list box (ID 1001) did not answer LB_GETCURSEL");
  return *selected;
}

std::wstring ReelmarkApp::ControlText(int id) const { return e2e::ControlText(main_, id); }

int ReelmarkApp::Check(int index) const { return CheckState(main_, ids::kCheck1 + index); }

bool ReelmarkApp::WaitForRows(const std::vector<std::wstring>& rows) {
  return WaitUntil([&] { return ListRows(List()) == rows; });
}

bool ReelmarkApp::WaitForSelection(int row) {
  return WaitUntil([&] { return ListSelection(List()) == row; });
}

void ReelmarkApp::ExpectList(const char* after, const std::vector<std::wstring>& rows, int selection,
                             const std::wstring& label2) {
  // Input is posted; give the program time to act before looking. Once something has gone
  // wrong, later lists are unlikely to match either: look sooner.
  const DWORD patience = checks_.Failures().empty() ? kWaitMs : 1000;
  WaitUntil([&] { return ListRows(List()) == rows && ListSelection(List()) == selection && Label2() == label2; },
            patience);
  const std::string what = after;
  checks_.ExpectRows(what + ": rows", rows, Rows());
  checks_.ExpectNumber(what + ": selected row", selection, Selection());
  checks_.ExpectText(what + ": Label2", label2, Label2());
}

HWND ReelmarkApp::PopupMenu() const { return FindWindowOfClass(process_.Id(), L"#32768", true); }

}  // namespace e2e
