// The test double of the system: files in memory (names without regard to case, with
// attributes), message boxes answered from a script and recorded, simulated top-level
// windows, and a record of every process started, window closed and pause taken.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "player/film_check.h"
#include "system/platform.h"

namespace reelmark::testing {

struct ShownMessage {
  std::wstring text;
  std::wstring title;
  MessageButtons buttons;
  bool toFront = false;
  bool operator==(const ShownMessage&) const = default;
};

class FakePlatform : public Platform {
 public:
  struct File {
    std::string bytes;
    std::uint32_t attributes = 0;
    std::uint64_t stamp = 0;  // from `writeClock`: each write of a file gives it the next
  };

  // --- set-up and inspection ---
  std::wstring programDirectory = L"C:\\Player";
  std::wstring Path(const std::wstring& name) const { return programDirectory + L"\\" + name; }
  void PutFile(const std::wstring& path, std::string bytes, std::uint32_t attributes = 0);
  const File* GetFile(const std::wstring& path) const;
  std::string Bytes(const std::wstring& path) const;  // "" when missing

  // The drive letters present (C: alone unless a test says otherwise), their kinds (fixed
  // unless listed), and those without their disc, which hold no file.
  std::uint32_t drives = 1u << 2;
  std::map<wchar_t, DriveKind> driveKinds;
  std::vector<wchar_t> notReady;
  std::vector<std::wstring> attributesAsked;  // every path whose attributes were asked for
  std::vector<std::wstring> readLog;          // the name of every file read, in order

  std::deque<MessageAnswer> answers;  // answers to the next questions, in order
  // Runs while the next message box is open, as a message the window receives meanwhile.
  std::function<void()> whileAsking;
  std::vector<ShownMessage> messages;
  std::vector<TopLevelWindow> windows;  // top of the Z order first
  WindowHandle ownWindow = 1;
  // What a closed window's program writes when it closes (the player recording its state).
  std::map<WindowHandle, std::vector<std::pair<std::wstring, std::string>>> onClose;
  bool canWaitForExit = true;
  // The bytes this file holds at each window close and each process start (before the
  // closing program records anything): what that program finds there.
  std::wstring watchedFile;
  std::vector<std::string> watchedAtClose, watchedAtStart;
  std::vector<WindowHandle> closedWindows;
  std::vector<unsigned> sleeps;  // each pause also moves `now` on
  std::function<void()> whileSleeping;  // runs during each pause
  std::vector<unsigned> exitWaits;
  std::vector<std::wstring> startedProcesses;
  std::vector<std::string> popupMenus;  // the names of the menus shown; from the keyboard, "@" and the row
  struct ClipboardText {
    std::wstring text;
    size_t messagesBefore;  // how many message boxes had been shown when it was put there
    bool operator==(const ClipboardText&) const = default;
  };
  std::vector<ClipboardText> clipboard;  // every text put on the clipboard, in order
  int screenWidth = 1024, screenHeight = 768;
  bool ended = false;
  bool destroyed = false;
  bool failWrites = false;  // every write of a file fails
  int failNextWrites = 0;   // so many writes fail, then they work again
  std::wstring failWritesTo;  // when set, the two above fail only the writes of this file
  // Files another program holds open without sharing: they cannot be replaced, moved or
  // removed (the system's sharing violation); they can still be read.
  std::vector<std::wstring> heldOpen;
  // Files another program holds without even letting them be read.
  std::vector<std::wstring> unreadable;
  static constexpr SystemError kSharingViolation = 32;
  std::uint64_t writeClock = 0;
  // The program ends in the middle of its n-th write from now (1 the next one): that write
  // throws ProgramEnded. A write in place leaves half its bytes; a replace, a move or a
  // removal, each one step, is not done.
  int endAtWrite = 0;
  struct ProgramEnded {};
  // The recovery file's writer. By default it writes what it is handed at once and tells
  // `writerDone` (the fixture passes it on to the form, as the window's message would).
  // With `holdWriter` the newest file handed waits until RunWriter() or a wait for the
  // writer; with `writerStuck` a wait answers nothing, as for a disk that does not answer.
  struct WriterJob {
    std::uint32_t number = 0;
    std::wstring path;
    std::function<std::string()> compose;
    std::uint32_t attributes = 0;
  };
  std::function<void(std::uint32_t, bool)> writerDone;
  bool holdWriter = false;
  bool writerStuck = false;
  std::optional<WriterJob> writerJob;
  std::vector<unsigned> writerWaits;  // every wait for the writer, by its bound
  void RunWriter();
  std::vector<unsigned> timers;  // every recovery timer started, by its delay; 0 for the event posted at once
  std::vector<unsigned> volumeTimers;
  // The film tester: what it is handed waits until RunFilmTester(), which tests it as the
  // real one does, with the files and drives here. A root in `deadRoots` does not answer:
  // the tester is held up there, and it and what follows stay waiting.
  std::vector<std::wstring> deadRoots;
  std::vector<std::wstring> filmsToTest;
  std::vector<std::vector<std::wstring>> filmTests;  // every hand-over, in order
  std::vector<std::wstring> filmsTestedInOrder;
  std::function<void()> filmsTested;  // the form's event, as the window's message brings it
  void RunFilmTester();
  std::uint64_t now = 0;         // the clock, in milliseconds
  static constexpr SystemError kWriteFailure = 112;  // what a failed write answers: the disk is full
  // The tray icon and hot key calls in order: "AddTrayIcon", "SetTrayTip Reelmark",
  // "RegisterHotKey 1 3 113", "UnregisterHotKey 1", "RemoveTrayIcon", "FocusMainWindow".
  std::vector<std::wstring> shellCalls;
  // Writes tried (replaces, moves and removals too), the failed ones included, each as what
  // it did and the file's name: "write kk.INI", "replace kk_fav.ini",
  // "move kk_fav.recovery.ini kk_fav.ini", "remove kk_fav.recovery.ini".
  std::vector<std::wstring> writeLog;
  int WriteCount() const { return static_cast<int>(writeLog.size()); }
  // The registry below the current user: each key's full path (as first created) with its
  // values by name. Key and value names match without regard to case.
  std::map<std::wstring, std::map<std::wstring, RegistryValue>> registry;
  const RegistryValue* RegistryValueOf(const std::wstring& keyPath, const std::wstring& name) const;

  // --- Platform ---
  std::optional<std::string> ReadFileBytes(const std::wstring& path) override;
  bool WriteFileInPlace(const std::wstring& path, std::string_view bytes) override;
  SystemError ReplaceFileAtomically(const std::wstring& path, std::string_view bytes, OldAttributes old) override;
  SystemError MoveFileOver(const std::wstring& from, const std::wstring& to) override;
  bool RemoveFile(const std::wstring& path) override;
  std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
  bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
  std::optional<std::uint64_t> FileStamp(const std::wstring& path) override;
  bool TouchFile(const std::wstring& path) override;
  std::uint32_t LogicalDrives() override { return drives; }
  DriveKind KindOfDrive(wchar_t letter) override;
  MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                            bool toFront) override;
  std::wstring ErrorText(SystemError error) override { return L"系统错误 " + std::to_wstring(error) + L"\r\n"; }
  void ShowPopupMenu(const Menu& menu) override;
  void ShowPopupMenuAtRow(const Menu& menu, int row) override;
  void PutTextOnClipboard(const std::wstring& text) override { clipboard.push_back({text, messages.size()}); }
  std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
  WindowHandle OwnWindow() override { return ownWindow; }
  bool CloseWindowAndWaitForExit(WindowHandle window, unsigned maxWaitMs) override;
  void Sleep(unsigned milliseconds) override;
  void StartProcess(const std::wstring& commandLine) override;
  bool CreateRegistryKey(RegistryRoot root, const std::wstring& path) override;
  std::int32_t SetRegistryValue(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                                const RegistryValue& value) override;
  std::wstring ProgramDirectory() override { return programDirectory; }
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  void EndProgram() override { ended = true; }
  void DestroyMainWindow() override { destroyed = true; }
  void StartTimer(FormTimer timer, unsigned milliseconds) override {
    (timer == FormTimer::Recovery ? timers : volumeTimers).push_back(milliseconds);
  }
  void PostTimerEvent() override { timers.push_back(0); }
  std::uint64_t Milliseconds() override { return now; }
  void HandToWriter(std::uint32_t number, const std::wstring& path, std::function<std::string()> compose,
                    std::uint32_t attributes) override;
  std::optional<WriterOutcome> WaitForWriter(unsigned maxWaitMs) override;
  void TestFilms(std::vector<std::wstring> paths, bool everything) override;
  std::vector<TestedFilm> TakeTestedFilms() override;
  void AddTrayIcon() override { shellCalls.push_back(L"AddTrayIcon"); }
  void SetTrayTip(const std::wstring& tip) override { shellCalls.push_back(L"SetTrayTip " + tip); }
  void RemoveTrayIcon() override { shellCalls.push_back(L"RemoveTrayIcon"); }
  void RegisterHotKey(std::int32_t id, std::int32_t modifiers, std::int32_t code) override;
  void UnregisterHotKey(std::int32_t id) override { shellCalls.push_back(L"UnregisterHotKey " + std::to_wstring(id)); }
  void FocusMainWindow() override { shellCalls.push_back(L"FocusMainWindow"); }

 private:
  static std::wstring Key(const std::wstring& path);
  // The registry key with that path, whatever its case; nullptr when there is none.
  std::map<std::wstring, RegistryValue>* FindRegistryKey(const std::wstring& path);
  // Counts a write of the file and answers whether it may be done.
  bool MayWrite(const std::wstring& what, const std::wstring& path);
  bool Held(const std::wstring& path) const;
  static bool Listed(const std::vector<std::wstring>& paths, const std::wstring& path);
  File& Written(const std::wstring& path);  // the file, made when missing, with a new stamp
  std::optional<WriterOutcome> lastWrite_;
  std::vector<TestedFilm> tested_;  // found, not yet taken
  std::map<std::wstring, File> files_;
};

}  // namespace reelmark::testing
