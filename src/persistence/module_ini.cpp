#include "persistence/module_ini.h"

#include <optional>
#include <string>

#include "base/path.h"
#include "base/text.h"
#include "persistence/ini_document.h"
#include "system/platform.h"

namespace reelmark::ModuleIni {

std::wstring ReadIni(Platform& platform, const std::wstring& file, const std::wstring& section,
                     const std::wstring& key) {
  const std::optional<std::string> bytes = platform.ReadFileBytes(file);
  if (!bytes) return {};
  return ReadIni(IniDocument(*bytes), section, key);
}

std::wstring ReadIni(const IniDocument& doc, const std::wstring& section, const std::wstring& key) {
  const std::optional<std::string> value = doc.Get(ToAnsi(section), ToAnsi(key));
  if (!value) return {};
  return std::wstring(TrimSpaces(FromAnsi(*value)));
}

std::wstring WriteIni(Platform& platform, const std::wstring& file, const std::wstring& section,
                      const std::wstring& key, const std::wstring& value) {
  std::optional<std::string> bytes = platform.ReadFileBytes(file);
  // A file that exists but cannot be read (held by another program, a folder) is never
  // overwritten with a new one: its contents would be lost.
  if (!bytes && platform.FileAttributes(file)) return L"0";
  IniDocument doc(bytes ? std::move(*bytes) : std::string());
  if (!doc.Set(ToAnsi(section), ToAnsi(key), ToAnsi(value))) return L"1";
  // The file may belong to another program: it is rewritten where it is, never replaced.
  return platform.WriteFileInPlace(file, doc.Bytes()) ? L"1" : L"0";
}

}  // namespace reelmark::ModuleIni
