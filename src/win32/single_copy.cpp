#include "win32/single_copy.h"

#include <algorithm>

namespace reelmark::win32 {
namespace {

constexpr DWORD kPollMs = 50;

std::wstring LongPath(const std::wstring& path) {
  const DWORD size = ::GetLongPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return path;  // the folder's own text is the best there is
  std::wstring longPath(size, L'\0');
  const DWORD length = ::GetLongPathNameW(path.c_str(), longPath.data(), size);
  if (length == 0 || length >= size) return path;
  longPath.resize(length);
  return longPath;
}

// Without linguistic casing LCMapString upper-cases by the file system's rules: one
// character for one, the same in every locale.
std::wstring UpperCased(std::wstring text) {
  if (text.empty()) return text;
  const int length = static_cast<int>(text.size());
  std::wstring upper(text.size(), L'\0');
  if (::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.data(), length, upper.data(), length) == length) {
    return upper;
  }
  ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring DesktopName() {
  const HDESK desktop = ::GetThreadDesktop(::GetCurrentThreadId());  // not to be closed
  DWORD needed = 0;
  ::GetUserObjectInformationW(desktop, UOI_NAME, nullptr, 0, &needed);
  if (needed < sizeof(wchar_t)) return {};
  std::wstring name(needed / sizeof(wchar_t), L'\0');
  if (!::GetUserObjectInformationW(desktop, UOI_NAME, name.data(), needed, &needed)) return {};
  name.resize(std::min(name.size(), name.find(L'\0')));
  return name;
}

}  // namespace

SingleCopyNames SingleCopyNamesOfFolder(const std::wstring& folder) {
  return SingleCopyNamesFor(UpperCased(MayHoldShortName(folder) ? LongPath(folder) : folder), DesktopName());
}

FolderLock::FolderLock(const std::wstring& name) : name_(name) { Take(0); }

FolderLock::~FolderLock() {
  if (held_) ::ReleaseMutex(mutex_.get());
}

bool FolderLock::Take(DWORD ms) {
  if (held_) return true;
  if (!mutex_) {
    // Made here, it is held at once. Another copy's is opened; one it may not be opened
    // by (ERROR_ACCESS_DENIED) leaves no handle, and is made anew on the next call.
    ::SetLastError(ERROR_SUCCESS);
    mutex_.reset(::CreateMutexW(nullptr, TRUE, name_.c_str()));
    if (mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS) {
      held_ = true;
      return true;
    }
    if (!mutex_) {
      ::Sleep(ms);
      return false;
    }
  }
  const DWORD waited = ::WaitForSingleObject(mutex_.get(), ms);
  held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  return held_;
}

HandOver HandOverToFirstCopy(FolderLock& lock, const SingleCopyNames& names) {
  const UINT message = ::RegisterWindowMessageW(kHandOffMessageName);
  const ULONGLONG deadline = ::GetTickCount64() + kHandOffLimitMs;
  for (;;) {
    if (lock.Take(0)) return HandOver::Free;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return HandOver::NoAnswer;
    const auto left = static_cast<DWORD>(deadline - now);
    // The first copy's window may not be there yet (it is starting) or any more (it is
    // ending, or crashed): then its lock is waited on, and the window looked for again.
    if (const HWND first = ::FindWindowExW(HWND_MESSAGE, nullptr, names.handOffClass.c_str(), nullptr)) {
      DWORD processId = 0;
      ::GetWindowThreadProcessId(first, &processId);
      // The first copy may then bring its window to the front, as this start could.
      ::AllowSetForegroundWindow(processId);
      DWORD_PTR answer = 0;
      if (message != 0 && ::SendMessageTimeoutW(first, message, 0, 0, SMTO_NORMAL | SMTO_ERRORONEXIT, left, &answer) &&
          answer == static_cast<DWORD_PTR>(kHandOffTaken)) {
        return HandOver::Taken;
      }
    }
    lock.Take(std::min(kPollMs, left));
  }
}

}  // namespace reelmark::win32
