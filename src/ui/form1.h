// The program's one window as a plain object: its controls as models and its handlers,
// named after the control and the event. The Win32 shell mirrors the models into real
// controls and turns real input into these handler calls; it holds no rule of its own.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/controls.h"
#include "model/list_box.h"
#include "model/menu.h"
#include "persistence/recovery.h"
#include "system/platform.h"

namespace reelmark {

class Form1 {
 public:
  explicit Form1(Platform& platform);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // --- controls ---
  ListBox List1;
  Label Label1, Label2, Label3, Label4;
  Button Command1, Command2, Command3, Command4;
  std::array<CheckBox, 3> Check1;
  Menu mnumov, mnuTray;
  WindowModel window;  // outer rectangle in pixels, as the shell reports it

  // --- state shared by the handlers ---
  std::int32_t CurrentRow = 0;
  std::int32_t FixedWidth = 0;
  std::int32_t FixedHeight = 0;

  // --- life ---
  // Events are handled one at a time, each to its end. A question box's own message loop
  // still delivers the hot key, the tray menu's commands, a close request and drops: such
  // an event waits until the handler that asked has finished, then runs, in the order of
  // arrival, so an answer acts on what it asked about. An unload runs the waiting events
  // before it writes the favourites, so a film captured meanwhile is kept.
  void Form_Load();
  // The window changed its size or state (the shell has put the change in `window`).
  void Form_Resize();
  // The window moved to a monitor of another DPI: its one size is now this, and it stays
  // where the system placed it.
  void Form_DpiChanged(int left, int top, int width, int height);
  // Runs the unload handler once, then lets the platform destroy the window.
  void Unload();
  // The Windows session ends (log-off, shut-down): the unload runs as on 退出, except that
  // nobody may be there to answer, so the current favourite is kept without asking.
  // Before start-up has finished nothing is written.
  void EndSession();
  bool Ended() const { return ended_; }  // ended at once or unloaded
  // The form's timer event (its timer ran out, or the write was asked for at once): the
  // recovery file is written when it is due. It comes as a message, also while a question
  // is open, and writes at once: whenever a box is open after start-up the list is whole,
  // and the write changes nothing the question asked about.
  void RecoveryTimer_Timer();
  // The recovery file's writer did write `number` (a message of the main window, or the
  // answer of the wait for the writer at an end; either may come twice).
  void RecoveryWritten(std::uint32_t number, bool succeeded);

  // --- the marks of favourites whose film is not there: a display, never a decision ---
  // The window was shown the first time: every favourite's film is tested, off the
  // window's thread, as it is after the system resumes from sleep and when the tray shows
  // the window (at most once a minute); a row added or given another path is tested then.
  void Form_Shown();
  void SystemResumed();
  // Volumes arrived or left (bit 0 for A:, bit 1 for B:, ...): their rows are tested again
  // once a second has passed without another such message, as one plug-in sends several.
  void VolumesChanged(std::uint32_t drives);
  void VolumeTimer_Timer();
  // The film tester found out about films: their rows' marks follow.
  void FilmsTested();

  // --- a second start of the program in this folder hands its capture over ---
  // Whether this copy takes it: not once its unload has begun.
  bool AcceptsHandOff() const;
  // The capture of the button 收藏正在播放的电影, then the window shown as the tray's left
  // click shows it. During start-up nothing: start-up captures the film itself, and the
  // window shows after it. One taken just before the unload began still captures, and
  // its film is saved.
  void HandOffCapture();

  // --- events ---
  void List1_Click();
  void List1_DblClick();
  void List1_KeyPress(int keyAscii);
  // A key that produces no character (Enter plays the selected favourite).
  void List1_KeyDown(int keyCode);
  void List1_MouseDown(int button);
  // The context-menu key or Shift+F10 in the list: the menu a right click opens.
  void List1_ContextMenu();
  // Files dropped on the list: their full paths, in the drop's order.
  void List1_OLEDragDrop(const std::vector<std::wstring>& files);
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Check1_Click(int index);
  // A menu item chosen from either popup menu, by its command ID.
  void MenuCommand(int commandId);

  void moveup_Click();
  void movedown_Click();
  void clr1_Click();
  void del1_Click();
  void zouren_Click();
  void bofang1_Click();
  void bofang2_Click();
  void bofang3_Click();
  void bobangliebiao_Click();
  void mplayer_Click();
  void sc_Click();
  void exit_Click();

  // The tray icon's clicks: the left shows the window (normal, with the focus); the right
  // opens mnuTray at the mouse.
  void ShowFromTray();
  void OpenTrayMenu();

  // --- routines shared by handlers ---
  void ddd();
  WindowHandle FindAllApps(const std::wstring& str1);

  // --- the registry layer under the Explorer verb ---
  struct RegistryKey {  // a key: the predefined key and the path below it
    RegistryRoot root;
    std::wstring path;
  };
  // Creates the key with every missing level; whether it existed, and any error, are ignored.
  void CreateNewKey(RegistryRoot lPredefinedKey, const std::wstring& sNewKeyName);
  // Stores one value in an existing key through SetValueEx; the result is not looked at.
  void SetKeyValue(RegistryRoot lPredefinedKey, const std::wstring& sKeyName, const std::wstring& sValueName,
                   const std::wstring& vValueSetting, std::uint32_t lValueType);
  // Writes text (type 1) or the text's number as a double word (type 4) and answers the
  // registry's status; any other type writes nothing and answers 0.
  std::int32_t SetValueEx(const RegistryKey& hKey, const std::wstring& sValueName, std::uint32_t lType,
                          const std::wstring& vValue);
  // The text's length in bytes in the ANSI code page.
  static std::int32_t CLen(std::wstring_view St);

  // Told after the handlers moved or resized the window model.
  void SetWindowChangeHandler(std::function<void()> handler) { onWindowChange_ = std::move(handler); }

  std::wstring SettingsPath() const;    // kk.ini
  std::wstring FavouritesPath() const;  // kk_fav.ini
  std::wstring RecoveryPath() const;    // kk_fav.recovery.ini

 private:
  void StartUp();  // the steps of Form_Load
  void Form_Unload();
  void UnloadNow();
  // What the unload writes after its question: the favourites file, the player's film.
  void WriteOnExit();
  // Writes the favourites file; a failure is told, and the user may try again.
  void SaveFavourites();
  // The list and the options, as the favourites file holds them, into that file.
  SystemError WriteFavouritesFile(const std::wstring& path);
  // The rows or the options changed: the recovery file follows soon.
  void FavouritesChanged();
  // The list is about to change: what the files hold, if it is the list, is kept aside.
  void KeepRowsOnDisk();
  std::array<int, 3> Options() const;
  // Hands what changed to the recovery file's writer; nothing when the files hold it all.
  void WriteRecovery();
  // A recovery file of this run's list may be there: written by it, or read where it lay.
  bool OwnsRecoveryFile() const { return handedRecovery_ || recoveryReadInPlace_.has_value(); }
  // Whether the recovery file holds every change of this run, once the writer has written
  // what it was handed (it is waited for, not for ever).
  bool RecoveryHoldsChanges();
  // The favourites were saved: the recovery file of this run goes.
  void RemoveRecovery();
  // This run's changes are dropped: its recovery file goes, or, when start-up read the
  // one an earlier run left, that file is put back as it was.
  void DiscardRecovery();
  void RunMenuCommand(int commandId);
  void CheckAllFilms();
  // The window was shown again: everything is tested again, once a minute at most.
  void ShownAgain();
  // Rows that are new or have new text: marked as their films are known, tested when not.
  void MarkRows(int first, int count);
  struct PathHash {
    using is_transparent = void;
    size_t operator()(std::wstring_view path) const { return std::hash<std::wstring_view>{}(path); }
  };
  // The favourite in `row` now names `path`; the row stays selected.
  void TakePath(int row, const std::wstring& path);

  // Runs an event's handler now, or, while a question box is open, once the handler that
  // asked has finished.
  void RunEvent(std::function<void()> handler);
  void RunWaitingEvents();
  // Every message box of the form: while it is open, arriving events wait.
  MessageAnswer Ask(const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                    bool toFront = false);
  void CentreWindow();
  void HideWindow();
  void EndAtOnce();
  void ClosePlayerIfRunning();

  Platform& platform_;
  bool unloaded_ = false;
  bool keepPosition_ = false;  // while a change of DPI resizes the window
  bool ended_ = false;
  bool loaded_ = false;          // start-up ran to its end
  bool sessionEnding_ = false;   // the unload asks nothing
  int asking_ = 0;               // message boxes open
  int running_ = 0;              // event handlers running, one inside another
  std::deque<std::function<void()>> waiting_;  // events that came while a box was open
  RecoverySchedule recovery_;
  bool handedRecovery_ = false;  // this run handed the recovery file to its writer
  // What the recovery file (or, when this run wrote none, kk_fav.ini) holds or is being
  // written with; nothing when it is not known. Rows of nullptr: the list itself, until
  // it changes.
  std::optional<RecoverySnapshot> onDisk_;
  // The stamp of kk_fav.ini, as this run read or wrote it last: what its recovery file is
  // newer than.
  std::optional<std::uint64_t> savedStamp_;
  // The recovery file start-up read where it lies, as it was then.
  std::optional<std::string> recoveryReadInPlace_;
  // What the film tester found, by path: whether the film is there.
  std::unordered_map<std::wstring, bool, PathHash, std::equal_to<>> filmThere_;
  bool testingFilms_ = false;           // since the window was first shown
  std::uint64_t lastFullTest_ = 0;      // when every film was last handed to the tester
  std::uint32_t changedVolumes_ = 0;    // letters whose volume came or went, not tested yet
  std::function<void()> onWindowChange_;
};

}  // namespace reelmark
