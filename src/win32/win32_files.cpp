// The file half of the Win32 platform. Paths are wide, so any name the system can hold
// works; the bytes are written exactly as given.
#include <algorithm>
#include <limits>

#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kStubbornAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Clears the attributes that stop a file from being replaced or deleted.
void ClearStubbornAttributes(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kStubbornAttributes) != 0 &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    ::SetFileAttributesW(path.c_str(), (attributes & ~kStubbornAttributes) | FILE_ATTRIBUTE_NORMAL);
  }
}

// A file's attributes, and whether it is a file (not missing, not a folder).
struct Before {
  DWORD attributes;
  bool isFile;
};
Before AttributesBefore(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return {attributes, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0};
}

// Moves `from` over `to` in one step, written through; a failed move leaves `to` as it
// was, attributes included, and answers why.
SystemError MoveOver(const std::wstring& from, const std::wstring& to, const Before& before) {
  ClearStubbornAttributes(to);
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  const SystemError error = ::GetLastError();
  if (before.isFile) ::SetFileAttributesW(to.c_str(), before.attributes);
  return error != 0 ? error : ERROR_WRITE_FAULT;  // a failure the system gave no reason for
}

}  // namespace

std::optional<std::string> Win32Platform::ReadFileBytes(const std::wstring& path) {
  const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<DWORD>::max()) {
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;  // the file shrank while it was read
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

bool Win32Platform::WriteFileInPlace(const std::wstring& path, std::string_view bytes) {
  // OPEN_ALWAYS, not CREATE_ALWAYS: the latter refuses hidden and system files, and
  // rewriting the open file keeps its attributes.
  const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return WriteAll(file.get(), bytes) && ::SetEndOfFile(file.get()) != 0;
}

SystemError Win32Platform::ReplaceFileAtomically(const std::wstring& path, std::string_view bytes,
                                                 OldAttributes oldAttributes) {
  return ReplaceFileInOneStep(path, bytes, oldAttributes);
}

SystemError ReplaceFileInOneStep(const std::wstring& path, std::string_view bytes, OldAttributes oldAttributes) {
  const Before before = AttributesBefore(path);
  // A file its owner made read-only stays as it is, when asked to.
  if (oldAttributes == OldAttributes::Keep && before.isFile && (before.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  const std::wstring temporary = path + L".new";
  ClearStubbornAttributes(temporary);  // a leftover of an interrupted run
  UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ::GetLastError();
  // Each error is taken before the clean-up, whose own calls would overwrite it.
  SystemError error = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get()) ? 0 : ::GetLastError();
  file.reset();  // closed before it is moved or deleted
  if (error == 0 && (error = MoveOver(temporary, path, before)) == 0) {
    if (oldAttributes == OldAttributes::Keep && before.isFile) ::SetFileAttributesW(path.c_str(), before.attributes);
    return 0;
  }
  ::DeleteFileW(temporary.c_str());
  return error != 0 ? error : ERROR_WRITE_FAULT;  // a failure the system gave no reason for
}

SystemError Win32Platform::MoveFileOver(const std::wstring& from, const std::wstring& to) {
  return MoveOver(from, to, AttributesBefore(to));
}

bool Win32Platform::RemoveFile(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

std::optional<std::uint32_t> Win32Platform::FileAttributes(const std::wstring& path) {
  // A drive without its disc answers "not ready" at once, instead of the system's box
  // asking for the disc, which would hold the window up.
  DWORD oldMode = 0;
  const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode) != FALSE;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (quiet) ::SetThreadErrorMode(oldMode, nullptr);
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::optional<std::uint64_t> Win32Platform::FileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool Win32Platform::TouchFile(const std::wstring& path) {
  // Writing the attributes alone: a read-only file or one another program writes to can
  // still be given a new stamp.
  const UniqueFile file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return ::SetFileTime(file.get(), nullptr, nullptr, &now) != FALSE;
}

std::uint32_t Win32Platform::LogicalDrives() { return ::GetLogicalDrives(); }

DriveKind Win32Platform::KindOfDrive(wchar_t letter) { return KindOfDriveLetter(letter); }

DriveKind KindOfDriveLetter(wchar_t letter) {
  const wchar_t root[] = {letter, L':', L'\\', L'\0'};
  switch (::GetDriveTypeW(root)) {
    case DRIVE_NO_ROOT_DIR: return DriveKind::NoRootFolder;
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_CDROM: return DriveKind::Optical;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Unknown;
  }
}

bool Win32Platform::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
  return ::SetFileAttributesW(path.c_str(), attributes) != 0;
}

}  // namespace reelmark::win32
