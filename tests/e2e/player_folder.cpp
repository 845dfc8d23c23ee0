#include "player_folder.h"

#include <algorithm>
#include <vector>

#include "win32/unique_handle.h"
#include "text.h"

namespace e2e {
namespace {

// Deletes a tree, clearing hidden, system and read-only bits first: the program marks its
// favourites file hidden and system.
void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

std::wstring PlayerFolder::RunPrefix() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) return {};
  std::wstring base = temp;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  return base + L"\\reelmark-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-";
}

std::optional<PlayerFolder> PlayerFolder::Create(const Programs& programs, std::wstring_view name,
                                                 std::string& error) {
  const std::wstring prefix = RunPrefix();
  if (prefix.empty()) {
    error = "no temporary folder";
    return std::nullopt;
  }
  // Unique per run and scenario; blanks would need quoting on the player's command line.
  const std::wstring path = prefix + std::wstring(name);
  if (path.find(L' ') != std::wstring::npos) {
    error = "the temporary folder has a blank in its path: " + ToUtf8(path);
    return std::nullopt;
  }
  RemoveTree(path);
  if (!CreateDirectoryW(path.c_str(), nullptr)) {
    error = "cannot create " + ToUtf8(path);
    return std::nullopt;
  }
  PlayerFolder folder(path);
  if (!CopyFileW(programs.reelmark.c_str(), folder.Reelmark().c_str(), FALSE) ||
      !CopyFileW(programs.standin.c_str(), folder.Player().c_str(), FALSE)) {
    error = "cannot copy the programs into " + ToUtf8(path) + " (from " + ToUtf8(programs.reelmark) +
            " and " + ToUtf8(programs.standin) + ")";
    return std::nullopt;
  }
  return folder;
}

PlayerFolder::PlayerFolder(PlayerFolder&& other) noexcept
    : path_(std::move(other.path_)), keep_(other.keep_) {
  other.path_.clear();
}

PlayerFolder::~PlayerFolder() {
  if (!path_.empty() && !keep_) RemoveTree(path_);
}

bool PlayerFolder::Write(std::wstring_view name, std::string_view bytes) const {
  const std::wstring file = File(name);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  reelmark::win32::UniqueFile handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return false;
  DWORD written = 0;
  return WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::optional<std::string> PlayerFolder::Read(std::wstring_view name) const {
  reelmark::win32::UniqueFile handle(CreateFileW(File(name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  if (!handle) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(handle.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

bool PlayerFolder::Exists(std::wstring_view name) const { return Attributes(name) != INVALID_FILE_ATTRIBUTES; }

DWORD PlayerFolder::Attributes(std::wstring_view name) const { return GetFileAttributesW(File(name).c_str()); }

bool PlayerFolder::SetAttributes(std::wstring_view name, DWORD attributes) const {
  return SetFileAttributesW(File(name).c_str(), attributes) != FALSE;
}

std::vector<std::wstring> PlayerFolder::Names() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring PlayerFolder::MakeFilm(std::wstring_view name) const {
  CreateDirectoryW(File(L"films").c_str(), nullptr);
  const std::wstring relative = L"films\\" + std::wstring(name);
  static constexpr char kFilmBytes[] = "RIFF\x04\0\0\0AVI ";  // any small bytes do
  Write(relative, std::string_view(kFilmBytes, sizeof kFilmBytes - 1));
  return File(relative);
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  // Wine's own converter, present only under Wine.
  using ToDos = wchar_t* (*)(const char*);
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    if (auto toDos = reinterpret_cast<ToDos>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")))) {
      if (wchar_t* dos = toDos(ToUtf8(path).c_str())) {
        std::wstring out = dos;
        HeapFree(GetProcessHeap(), 0, dos);
        return out;
      }
    }
  }
  std::wstring out = L"Z:" + path;
  for (wchar_t& c : out) {
    if (c == L'/') c = L'\\';
  }
  return out;
}

}  // namespace e2e
