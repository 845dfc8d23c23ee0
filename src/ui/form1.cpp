#include "ui/form1.h"

#include "base/numbers.h"
#include "base/path.h"
#include "persistence/favourites.h"
#include "persistence/recovery.h"
#include "player/player.h"
#include "ui/layout.h"
#include "ui/menus.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

const wchar_t* DesignCaption(int id) {
  for (const ControlLayout& control : kLayout) {
    if (control.id == id) return control.caption;
  }
  return L"";
}

constexpr int kRightButton = 2;
constexpr int kKeyW = 119;
constexpr int kKeyS = 115;
constexpr int kKeyEnter = 13;

}  // namespace

Form1::Form1(Platform& platform)
    : Label1(DesignCaption(kLabel1)),
      Label2(DesignCaption(kLabel2)),
      Label3(DesignCaption(kLabel3)),
      Label4(DesignCaption(kLabel4)),
      Command1(DesignCaption(kCommand1)),
      Command2(DesignCaption(kCommand2)),
      Command3(DesignCaption(kCommand3)),
      Command4(DesignCaption(kCommand4)),
      Check1{CheckBox(DesignCaption(kCheck1Base + 0)), CheckBox(DesignCaption(kCheck1Base + 1)),
             CheckBox(DesignCaption(kCheck1Base + 2))},
      mnumov(MakeListMenu()),
      mnuTray(MakeTrayMenu()),
      platform_(platform) {
  List1.SetSelectionHandler([this] { List1_Click(); });
  List1.SetRowsChangedHandler([this](int first, int count) {
    FavouritesChanged();
    MarkRows(first, count);
  });
  List1.SetRowsChangingHandler([this] { KeepRowsOnDisk(); });
}

std::wstring Form1::SettingsPath() const { return platform_.ProgramDirectory() + L"\\" + kSettingsFile; }
std::wstring Form1::FavouritesPath() const { return platform_.ProgramDirectory() + L"\\" + kFavouritesFile; }
std::wstring Form1::RecoveryPath() const { return platform_.ProgramDirectory() + L"\\" + kRecoveryFile; }

WindowHandle Form1::FindAllApps(const std::wstring& str1) { return FindPlayerWindow(platform_, str1); }

void Form1::ClosePlayerIfRunning() { ClosePlayer(platform_, FindAllApps(kPlayerTitlePrefix)); }

void Form1::List1_Click() {
  const int index = List1.SelectedIndex();
  if (index > 0) Label2.SetCaption(std::wstring(FileNameOf(List1.SelectedText())));
  CurrentRow = index;
}

void Form1::List1_KeyPress(int keyAscii) {
  // Only the lower-case letters act; the key goes on to the list box afterwards.
  if (keyAscii == kKeyW) moveup_Click();
  if (keyAscii == kKeyS) movedown_Click();
}

void Form1::List1_KeyDown(int keyCode) {
  // Enter plays the favourite as a double click does; on the header row it does nothing.
  if (keyCode == kKeyEnter && List1.SelectedIndex() > 0) List1_DblClick();
}

void Form1::List1_MouseDown(int button) {
  if (button == kRightButton) platform_.ShowPopupMenu(mnumov);
}

void Form1::List1_ContextMenu() { platform_.ShowPopupMenuAtRow(mnumov, List1.SelectedIndex()); }

void Form1::MenuCommand(int commandId) {
  RunEvent([this, commandId] { RunMenuCommand(commandId); });
}

void Form1::RunMenuCommand(int commandId) {
  switch (commandId) {
    case kBofang1: bofang1_Click(); break;
    case kBofang3: bofang3_Click(); break;
    case kBofang2: bofang2_Click(); break;
    case kMoveUp: moveup_Click(); break;
    case kMoveDown: movedown_Click(); break;
    case kClr1: clr1_Click(); break;
    case kDel1: del1_Click(); break;
    case kBobangliebiao: bobangliebiao_Click(); break;
    case kMplayer: mplayer_Click(); break;
    case kZouren: zouren_Click(); break;
    case kSc: sc_Click(); break;
    case kExit: exit_Click(); break;
    default: break;
  }
}

void Form1::Command1_Click() { Unload(); }
void Form1::exit_Click() { Unload(); }
void Form1::del1_Click() { Command3_Click(); }
void Form1::sc_Click() { Command4_Click(); }
void Form1::Command4_Click() { ddd(); }
void Form1::bofang1_Click() { List1_DblClick(); }

// The tray icon is up while start-up still asks its questions, so "退出" can come then:
// the list holds only part of the favourites, and writing it would lose the rest. Like
// every event that comes during a question, the unload waits until start-up has finished.
void Form1::Unload() {
  RunEvent([this] { UnloadNow(); });
}

void Form1::UnloadNow() {
  if (unloaded_ || ended_) return;
  unloaded_ = true;
  Form_Unload();
  ended_ = true;
  waiting_.clear();
  platform_.DestroyMainWindow();
}

void Form1::EndSession() {
  // Until start-up has finished, the list holds part of the favourites at most: writing it
  // would lose the rest.
  if (!loaded_ || ended_) return;
  // The process may be ended as soon as this returns: nothing waits, not even for an
  // open question.
  sessionEnding_ = true;
  if (unloaded_) {
    WriteOnExit();  // the unload waits on its question: write without its answer
    return;
  }
  UnloadNow();
}

bool Form1::AcceptsHandOff() const { return !unloaded_ && !ended_; }

void Form1::HandOffCapture() {
  if (!loaded_) return;
  RunEvent([this] {
    ddd();
    if (!unloaded_) ShowFromTray();  // a hand-off that waited on the exit question: no window to show
  });
}

void Form1::RunEvent(std::function<void()> handler) {
  if (ended_) return;
  if (asking_ > 0) {
    waiting_.push_back(std::move(handler));
    return;
  }
  ++running_;
  handler();
  if (running_ == 1) RunWaitingEvents();
  --running_;
}

void Form1::RunWaitingEvents() {
  while (!waiting_.empty() && !ended_) {
    const std::function<void()> next = std::move(waiting_.front());
    waiting_.pop_front();
    next();
  }
}

MessageAnswer Form1::Ask(const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                         bool toFront) {
  ++asking_;
  const MessageAnswer answer = platform_.ShowMessage(text, title, buttons, toFront);
  --asking_;
  return answer;
}

void Form1::EndAtOnce() {
  ended_ = true;
  platform_.EndProgram();
}

// Leaves at once, dropping this run's changes: only the tray icon is taken down; the hot
// key lapses with the process.
void Form1::zouren_Click() {
  DiscardRecovery();
  platform_.RemoveTrayIcon();
  EndAtOnce();
}

void Form1::CentreWindow() {
  // Halved in real numbers; a half pixel goes to the even neighbour.
  window.top = RoundHalfEven((platform_.ScreenHeight() - window.height) / 2.0);
  window.left = RoundHalfEven((platform_.ScreenWidth() - window.width) / 2.0);
  if (onWindowChange_) onWindowChange_();
}

}  // namespace reelmark
