#include "wine_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32/unique_handle.h"

namespace e2e {
namespace {

// Wine's own request to its mount manager, which defines (or, with no folder, removes) a
// drive letter for a Unix folder.
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;  // lower case
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// The Unix path of a Windows path, as Wine names it; empty elsewhere.
std::string UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
  if (!unix) return {};
  std::string copy(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return copy;
}

bool DefineDrive(wchar_t letter, const std::string& unixFolder, ULONG type) {
  const reelmark::win32::UniqueFile manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                        0, nullptr));
  if (!manager) return false;
  std::vector<char> request(sizeof(UnixDrive) + (unixFolder.empty() ? 0 : unixFolder.size() + 1));
  UnixDrive drive{};
  drive.size = static_cast<ULONG>(request.size());
  drive.type = type;
  drive.letter = static_cast<WCHAR>(letter | 0x20);
  if (!unixFolder.empty()) {
    drive.mountPointOffset = sizeof(UnixDrive);
    memcpy(request.data() + sizeof(UnixDrive), unixFolder.c_str(), unixFolder.size() + 1);
  }
  memcpy(request.data(), &drive, sizeof drive);
  DWORD returned = 0;
  return DeviceIoControl(manager.get(), kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()), nullptr,
                         0, &returned, nullptr) != FALSE;
}

}  // namespace

WineDrive::WineDrive(const std::wstring& folder) {
  const std::string unixFolder = UnixPath(folder);
  const DWORD present = GetLogicalDrives();
  for (wchar_t letter = L'Y'; letter > L'D' && !unixFolder.empty(); --letter) {
    if (present & (1u << (letter - L'A'))) continue;
    if (DefineDrive(letter, unixFolder, DRIVE_FIXED)) letter_ = letter;
    break;
  }
}

WineDrive::~WineDrive() {
  if (letter_) DefineDrive(letter_, {}, DRIVE_NO_ROOT_DIR);
}

}  // namespace e2e
