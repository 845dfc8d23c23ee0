// The tray icon, the hot key, the recovery file's writer and the film tester on the real system: each lives
// in an object of its own, made when the form asks for it and gone when the form takes it
// down (or, at the latest, with the platform).
#include "win32/film_tester.h"
#include "win32/hot_key.h"
#include "win32/recovery_writer.h"
#include "win32/tray_icon.h"
#include "win32/win32_platform.h"

namespace reelmark::win32 {

Win32Platform::Win32Platform() = default;
Win32Platform::~Win32Platform() = default;

void Win32Platform::AddTrayIcon() {
  if (!mainWindow_ || !form_) return;
  trayIcon_.reset();  // one icon: a second call puts it up afresh
  trayIcon_ = std::make_unique<TrayIcon>(mainWindow_, *form_);
}

void Win32Platform::SetTrayTip(const std::wstring& tip) {
  if (trayIcon_) trayIcon_->SetTip(tip);
}

void Win32Platform::RemoveTrayIcon() { trayIcon_.reset(); }

void Win32Platform::RegisterHotKey(std::int32_t id, std::int32_t modifiers, std::int32_t code) {
  if (!mainWindow_ || !form_) return;
  if (!hotKey_) hotKey_ = std::make_unique<HotKey>(mainWindow_, *form_);
  hotKey_->Register(id, static_cast<UINT>(modifiers), static_cast<UINT>(code));
}

void Win32Platform::UnregisterHotKey(std::int32_t id) {
  hotKey_.reset();
  if (mainWindow_) ::UnregisterHotKey(mainWindow_, id);
}

void Win32Platform::HandToWriter(std::uint32_t number, const std::wstring& path, std::function<std::string()> compose,
                                 std::uint32_t attributes) {
  if (!writer_) writer_ = std::make_unique<RecoveryWriter>();
  writer_->Hand({number, path, std::move(compose), attributes, mainWindow_});
}

std::optional<WriterOutcome> Win32Platform::WaitForWriter(unsigned maxWaitMs) {
  return writer_ ? writer_->Wait(maxWaitMs) : std::nullopt;
}

void Win32Platform::TestFilms(std::vector<std::wstring> paths, bool everything) {
  if (!tester_) tester_ = std::make_unique<FilmTester>();
  tester_->Test(std::move(paths), everything, mainWindow_);
}

std::vector<TestedFilm> Win32Platform::TakeTestedFilms() { return tester_ ? tester_->Take() : std::vector<TestedFilm>(); }

void Win32Platform::FocusMainWindow() {
  if (mainWindow_) ::SetForegroundWindow(mainWindow_);
}

}  // namespace reelmark::win32
