// The real system behind the Platform seam: files through CreateFileW and friends,
// message boxes and popup menus owned by the main window, the top-level window walk,
// processes, the registry.
#pragma once

#include <windows.h>

#include <memory>

#include "system/platform.h"

namespace reelmark {
class Form1;
}

namespace reelmark::win32 {

// The folder of the running program, without a backslash at its end.
std::wstring ProgramFolder();

// Platform::ReplaceFileAtomically and KindOfDrive, for a thread of their own: they hold no state.
SystemError ReplaceFileInOneStep(const std::wstring& path, std::string_view bytes, OldAttributes old);
DriveKind KindOfDriveLetter(wchar_t letter);

// The main window's timers, whose WM_TIMER the window hands to the form: the ID is the
// FormTimer's number plus one.
inline constexpr UINT_PTR TimerId(FormTimer timer) { return static_cast<UINT_PTR>(timer) + 1; }
// The same event posted, ahead of input (see Platform::PostTimerEvent).
inline constexpr UINT kFormTimerEventMessage = WM_APP + 16;
// The recovery file's writer did a write: wParam its number, lParam 1 when it worked.
inline constexpr UINT kRecoveryWrittenMessage = WM_APP + 17;
// The film tester has found out about films (Platform::TakeTestedFilms takes them).
inline constexpr UINT kFilmsTestedMessage = WM_APP + 18;

class FilmTester;
class HotKey;
class RecoveryWriter;
class TrayIcon;

class Win32Platform final : public Platform {
 public:
  // The window that owns message boxes and popup menus, and that EndProgram and
  // DestroyMainWindow destroy. Until it is set, message boxes have no owner.
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }
  // The form that the tray icon's clicks and the hot key reach; until it is set, neither
  // is put up.
  void SetForm(Form1* form) { form_ = form; }

  Win32Platform();
  ~Win32Platform() override;

  std::optional<std::string> ReadFileBytes(const std::wstring& path) override;
  bool WriteFileInPlace(const std::wstring& path, std::string_view bytes) override;
  SystemError ReplaceFileAtomically(const std::wstring& path, std::string_view bytes,
                                    OldAttributes old) override;
  SystemError MoveFileOver(const std::wstring& from, const std::wstring& to) override;
  bool RemoveFile(const std::wstring& path) override;
  std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
  bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
  std::optional<std::uint64_t> FileStamp(const std::wstring& path) override;
  bool TouchFile(const std::wstring& path) override;
  std::uint32_t LogicalDrives() override;
  DriveKind KindOfDrive(wchar_t letter) override;

  MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                            bool toFront) override;
  std::wstring ErrorText(SystemError error) override;
  void ShowPopupMenu(const Menu& menu) override;
  void ShowPopupMenuAtRow(const Menu& menu, int row) override;
  void PutTextOnClipboard(const std::wstring& text) override;  // in clipboard.cpp

  std::vector<TopLevelWindow> TopLevelWindows() override;
  WindowHandle OwnWindow() override;
  bool CloseWindowAndWaitForExit(WindowHandle window, unsigned maxWaitMs) override;
  void Sleep(unsigned milliseconds) override;
  void StartProcess(const std::wstring& commandLine) override;

  bool CreateRegistryKey(RegistryRoot root, const std::wstring& path) override;
  std::int32_t SetRegistryValue(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                                const RegistryValue& value) override;

  std::wstring ProgramDirectory() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  void EndProgram() override;
  void DestroyMainWindow() override;
  void StartTimer(FormTimer timer, unsigned milliseconds) override;
  void PostTimerEvent() override;
  std::uint64_t Milliseconds() override;
  // The writer is in win32_platform_writer.cpp.
  void HandToWriter(std::uint32_t number, const std::wstring& path, std::function<std::string()> compose,
                    std::uint32_t attributes) override;
  std::optional<WriterOutcome> WaitForWriter(unsigned maxWaitMs) override;
  void TestFilms(std::vector<std::wstring> paths, bool everything) override;
  std::vector<TestedFilm> TakeTestedFilms() override;

  // The tray icon and the hot key are in win32_platform_shell.cpp.
  void AddTrayIcon() override;
  void SetTrayTip(const std::wstring& tip) override;
  void RemoveTrayIcon() override;
  void RegisterHotKey(std::int32_t id, std::int32_t modifiers, std::int32_t code) override;
  void UnregisterHotKey(std::int32_t id) override;
  void FocusMainWindow() override;

 private:
  void TrackPopupMenuAt(const Menu& menu, POINT at);

  HWND mainWindow_ = nullptr;
  Form1* form_ = nullptr;
  std::unique_ptr<TrayIcon> trayIcon_;
  std::unique_ptr<HotKey> hotKey_;
  std::unique_ptr<RecoveryWriter> writer_;  // made at the first write
  std::unique_ptr<FilmTester> tester_;      // made at the first test
};

}  // namespace reelmark::win32
