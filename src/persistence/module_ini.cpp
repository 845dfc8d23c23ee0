#include "persistence/module_ini.h"

#include <optional>
#include <string>
#include <utility>

#include "base/path.h"
#include "persistence/ini_document.h"
#include "system/platform.h"

namespace reelmark::ModuleIni {

std::wstring ReadIni(Platform& platform, const std::wstring& file, const std::wstring& section,
                     const std::wstring& key) {
  std::optional<std::string> bytes = platform.ReadFileBytes(file);
  if (!bytes) return {};
  return ReadIni(IniDocument::FromFile(std::move(*bytes)), section, key);
}

std::wstring ReadIni(const IniDocument& doc, const std::wstring& section, const std::wstring& key) {
  const IniEncoding encoding = doc.Encoding();
  const std::optional<std::string> value = doc.Get(ToIniText(encoding, section), ToIniText(encoding, key));
  if (!value) return {};
  return std::wstring(TrimSpaces(FromIniText(encoding, *value)));
}

std::wstring WriteIni(Platform& platform, const std::wstring& file, const std::wstring& section,
                      const std::wstring& key, const std::wstring& value) {
  std::optional<std::string> bytes = platform.ReadFileBytes(file);
  // A file that exists but cannot be read (held by another program, a folder) is never
  // overwritten with a new one: its contents would be lost.
  if (!bytes && platform.FileAttributes(file)) return L"0";
  // A missing file is created in the ANSI code page; a Unicode file stays Unicode.
  IniDocument doc = IniDocument::FromFile(bytes ? std::move(*bytes) : std::string());
  const IniEncoding encoding = doc.Encoding();
  if (!doc.Set(ToIniText(encoding, section), ToIniText(encoding, key), ToIniText(encoding, value))) return L"1";
  // The file may belong to another program: it is rewritten where it is, never replaced.
  return platform.WriteFileInPlace(file, doc.FileBytes()) ? L"1" : L"0";
}

}  // namespace reelmark::ModuleIni
