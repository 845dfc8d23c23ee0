// The Explorer verb "Mplayer播放": a context-menu command for every file type that opens
// the file in the player beside this program, and the small registry layer under it.
// The verb is written for the current user, below Software\Classes, which Windows shows
// as part of HKEY_CLASSES_ROOT: no administrator rights are needed.
#include "base/numbers.h"
#include "base/text.h"
#include "player/player.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

constexpr wchar_t kUserClasses[] = L"Software\\Classes\\";
constexpr wchar_t kVerbName[] = L"Mplayer播放";

}  // namespace

std::int32_t Form1::CLen(std::wstring_view St) {
  return ClampToInt32(static_cast<std::int64_t>(ToAnsi(St).size()));
}

void Form1::CreateNewKey(RegistryRoot lPredefinedKey, const std::wstring& sNewKeyName) {
  platform_.CreateRegistryKey(lPredefinedKey, sNewKeyName);
}

void Form1::SetKeyValue(RegistryRoot lPredefinedKey, const std::wstring& sKeyName, const std::wstring& sValueName,
                        const std::wstring& vValueSetting, std::uint32_t lValueType) {
  SetValueEx(RegistryKey{lPredefinedKey, sKeyName}, sValueName, lValueType, vValueSetting);
}

std::int32_t Form1::SetValueEx(const RegistryKey& hKey, const std::wstring& sValueName, std::uint32_t lType,
                               const std::wstring& vValue) {
  switch (lType) {
    case kRegSz:
      return platform_.SetRegistryValue(hKey.root, hKey.path, sValueName, RegistryValue{vValue});
    case kRegDword:
      // The number's 32 bits, as the registry keeps a double word.
      return platform_.SetRegistryValue(hKey.root, hKey.path, sValueName,
                                        RegistryValue{static_cast<std::uint32_t>(WholeNumber(vValue))});
    default:
      return 0;
  }
}

void Form1::mplayer_Click() {
  const std::wstring k = std::wstring(kUserClasses) + L"*\\shell\\" + kVerbName + L"\\Command";
  CreateNewKey(RegistryRoot::CurrentUser, k);
  // Both paths in quotation marks: a program folder or a file with blanks still works.
  const std::wstring command = L"\"" + platform_.ProgramDirectory() + L"\\" + kPlayerExe + L"\" \"%1\"";
  SetKeyValue(RegistryRoot::CurrentUser, k, L"", command, kRegSz);
}

}  // namespace reelmark
