// The seam between the program's rules and the system. Everything the portable core
// needs from Windows passes through this interface; the Win32 implementation calls the
// real system, the one under tests/ simulates it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace reelmark {

struct Menu;
struct TestedFilm;

using WindowHandle = std::uintptr_t;

struct TopLevelWindow {
  WindowHandle handle = 0;
  std::wstring title;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The system's code for why a call failed (what GetLastError tells); 0 when it did not.
using SystemError = std::uint32_t;

// What replacing a file does about the attributes of the file it replaces.
enum class OldAttributes {
  Clear,  // cleared first, so a read-only, hidden or system file is replaced too; the new file has none
  Keep,   // a read-only file is left as it is (the replace fails); otherwise the new file gets them
};

// File attribute bits, as the system numbers them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

// What became of a write the recovery file's writer was handed.
struct WriterOutcome {
  std::uint32_t number = 0;  // the number it was handed with
  bool succeeded = false;
};

// The form's timers, each a message of the main window.
enum class FormTimer { Recovery, Volumes };

// What a drive letter stands for, as the system tells it.
enum class DriveKind { Unknown, NoRootFolder, Removable, Fixed, Network, Optical, RamDisk };

// The registry: the predefined keys the program writes below, and a value as stored:
// text (REG_SZ) or a 32-bit number (REG_DWORD).
enum class RegistryRoot { CurrentUser };
using RegistryValue = std::variant<std::wstring, std::uint32_t>;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- files; paths are full paths in the program's text ---
  // The whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFileBytes(const std::wstring& path) = 0;
  // Rewrites the file in place (created when missing), keeping its attributes.
  virtual bool WriteFileInPlace(const std::wstring& path, std::string_view bytes) = 0;
  // Writes a new file beside it, flushes it and puts it in place of the old one in one
  // step: readers see the old file or the new one, never a part of either. A failed
  // replace leaves the old file as it was and answers why it failed.
  virtual SystemError ReplaceFileAtomically(const std::wstring& path, std::string_view bytes,
                                            OldAttributes old) = 0;
  // Puts the file `from` in place of `to` in one step, whatever the attributes of the file
  // it replaces, written through to the disk. A failed move leaves both as they were and
  // answers why it failed.
  virtual SystemError MoveFileOver(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool RemoveFile(const std::wstring& path) = 0;
  // The attribute bits, or nothing when the path does not exist. A drive without its disc
  // answers at once, with nothing, and the system shows no box about it.
  virtual std::optional<std::uint32_t> FileAttributes(const std::wstring& path) = 0;
  virtual bool SetAttributes(const std::wstring& path, std::uint32_t attributes) = 0;
  // When the file was last written, in the system's steps of 100 ns; nothing when it is
  // missing or a folder. Two writes of a file never leave it the same stamp on a disk that
  // counts in such steps.
  virtual std::optional<std::uint64_t> FileStamp(const std::wstring& path) = 0;
  // Gives the file a new stamp, now, without changing its bytes; a missing file is made,
  // empty. False when it could not be done.
  virtual bool TouchFile(const std::wstring& path) = 0;
  // The drive letters present: bit 0 for A:, bit 1 for B:, and so on to Z:.
  virtual std::uint32_t LogicalDrives() = 0;
  // What the drive `letter` (A to Z) is; the answer needs no disk in the drive.
  virtual DriveKind KindOfDrive(wchar_t letter) = 0;

  // --- the user ---
  // A modal message box owned by the main window, without an icon; Yes is the default.
  // `toFront` brings it in front of other programs' windows (the main window may be hidden).
  virtual MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                                    bool toFront) = 0;
  // The system's own words for an error, in the user's language, as the system gives them
  // (ending in a line break); empty when it has none.
  virtual std::wstring ErrorText(SystemError error) = 0;
  // Opens the menu as a popup at the mouse position; a chosen item arrives later as
  // its command.
  virtual void ShowPopupMenu(const Menu& menu) = 0;
  // The same, opened from the keyboard beside the list's row `row` (below its left end),
  // or at the list's top left when `row` is -1.
  virtual void ShowPopupMenuAtRow(const Menu& menu, int row) = 0;
  // Empties the clipboard and puts the text on it, as Unicode text and as text in the
  // ANSI code page.
  virtual void PutTextOnClipboard(const std::wstring& text) = 0;

  // --- other programs ---
  // Every top-level window, from the top of the Z order down, hidden ones included.
  virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;
  virtual WindowHandle OwnWindow() = 0;
  // Posts WM_CLOSE to the window, then waits until its process has ended, at most
  // `maxWaitMs`. False when the process could not be waited on (nothing was waited).
  virtual bool CloseWindowAndWaitForExit(WindowHandle window, unsigned maxWaitMs) = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  // Starts a process shown normally, not waited for; the result is not looked at.
  virtual void StartProcess(const std::wstring& commandLine) = 0;

  // --- the registry; key paths are relative to the root, levels separated by backslashes ---
  // Creates the key with every missing level on the way (an existing key is fine) and
  // closes it again. False when it could not be created.
  virtual bool CreateRegistryKey(RegistryRoot root, const std::wstring& path) = 0;
  // Opens the existing key, stores one value (an empty name is the key's default value)
  // and closes the key. The registry's status: 0 for success.
  virtual std::int32_t SetRegistryValue(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                                        const RegistryValue& value) = 0;

  // --- the program itself ---
  // The directory of the running executable, without a trailing backslash.
  virtual std::wstring ProgramDirectory() = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  // Ends the program at once: no unload handler runs.
  virtual void EndProgram() = 0;
  // Destroys the main window after its unload handler has run; the program then ends.
  virtual void DestroyMainWindow() = 0;
  // After so many milliseconds the timer's event comes to the form, once, as a message of
  // the main window (so it also comes while a message box is open). Starting it again
  // while it runs starts it anew.
  virtual void StartTimer(FormTimer timer, unsigned milliseconds) = 0;
  // The form's timer event at once, as a posted message: it comes ahead of input and
  // painting, which hold a due timer back for as long as they keep coming.
  virtual void PostTimerEvent() = 0;
  // Milliseconds on a clock that only goes forward (since the system started).
  virtual std::uint64_t Milliseconds() = 0;

  // --- the recovery file's writer: a thread of its own, so the window never waits for the disk ---
  // Hands it a file to write: there `compose` makes the bytes, which replace the file in
  // one step as ReplaceFileAtomically does (the old file's attributes cleared), and the
  // file then gets `attributes`. Only the newest file handed over is worth writing: one
  // that waits is replaced by the next; one being written is finished first. Each write
  // done comes back to the form as its RecoveryWritten event, a message of the main window.
  virtual void HandToWriter(std::uint32_t number, const std::wstring& path, std::function<std::string()> compose,
                            std::uint32_t attributes) = 0;
  // Waits until the writer has done all it was handed, at most `maxWaitMs`: what became of
  // its last write, or nothing when it is still writing (a disk that does not answer) or
  // was never handed anything.
  virtual std::optional<WriterOutcome> WaitForWriter(unsigned maxWaitMs) = 0;

  // --- the film tester: a thread of its own that tells which favourites' films are there ---
  // Hands it films to test, as film_check.h plans and tests them. With `everything` (these
  // are every favourite's), what still waits to be tested is dropped first. What it finds
  // comes to the form as its FilmsTested event, a message of the main window, and is taken
  // with TakeTestedFilms. The program's end never waits for it.
  virtual void TestFilms(std::vector<std::wstring> paths, bool everything) = 0;
  virtual std::vector<TestedFilm> TakeTestedFilms() = 0;

  // --- the tray icon and the hot key ---
  // The main window's icon in the notification area. A click on it comes to the form (a
  // left click shows the window, a right click opens the tray menu); it is added again
  // when the taskbar restarts, and goes with RemoveTrayIcon.
  virtual void AddTrayIcon() = 0;
  virtual void SetTrayTip(const std::wstring& tip) = 0;
  virtual void RemoveTrayIcon() = 0;
  // A system-wide key for the main window: while it is registered, pressing it runs the
  // form's capture. Unregistering also stops the window from listening for it.
  virtual void RegisterHotKey(std::int32_t id, std::int32_t modifiers, std::int32_t code) = 0;
  virtual void UnregisterHotKey(std::int32_t id) = 0;
  // The main window to the foreground, with the keyboard focus.
  virtual void FocusMainWindow() = 0;
};

// The file-exists test: an existing file that is neither a folder nor hidden nor system.
bool IsPlainFile(Platform& platform, const std::wstring& path);
// The same test on what a path's attributes are (nothing: the path does not exist).
inline bool NamesPlainFile(std::optional<std::uint32_t> attributes) {
  return attributes && (*attributes & (kAttributeDirectory | kAttributeHidden | kAttributeSystem)) == 0;
}

}  // namespace reelmark
