// The registry half of the Win32 platform. The wide functions take the key names and
// the text as the program holds them, so they arrive intact whatever the system's ANSI
// code page; every key is closed by its owner.
#include <type_traits>

#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

// Query and set values, create, enumerate and watch subkeys, create links (63).
constexpr REGSAM kAccess =
    KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK;

// The current user's keys are the only ones the program writes below.
HKEY RootKey(RegistryRoot) { return HKEY_CURRENT_USER; }

}  // namespace

bool Win32Platform::CreateRegistryKey(RegistryRoot root, const std::wstring& path) {
  HKEY created = nullptr;
  const LSTATUS status = ::RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess,
                                           nullptr, &created, nullptr);
  const UniqueRegistryKey key(status == ERROR_SUCCESS ? created : nullptr);
  return static_cast<bool>(key);
}

std::int32_t Win32Platform::SetRegistryValue(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                                             const RegistryValue& value) {
  HKEY opened = nullptr;
  const LSTATUS status = ::RegOpenKeyExW(RootKey(root), path.c_str(), 0, kAccess, &opened);
  if (status != ERROR_SUCCESS) return status;
  const UniqueRegistryKey key(opened);
  return std::visit(
      [&](const auto& data) -> std::int32_t {
        if constexpr (std::is_same_v<std::decay_t<decltype(data)>, std::wstring>) {
          // The terminating zero is part of the stored text.
          const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
          return ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                  bytes);
        } else {
          const DWORD number = data;
          return ::RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                  sizeof number);
        }
      },
      value);
}

}  // namespace reelmark::win32
