// The one way the program reads and writes INI files. Every call addresses the file by
// its full path and goes to the file: no cache, no open-file state.
#pragma once

#include <string>

namespace reelmark {
class IniDocument;
class Platform;
}

namespace reelmark::ModuleIni {

// The value, less its outer blanks; the empty text when the file, the section or the key
// is absent, or the value is empty. The value is read whole.
std::wstring ReadIni(Platform& platform, const std::wstring& file, const std::wstring& section,
                     const std::wstring& key);

// The same read from a file already parsed, for callers that read many keys of one file.
std::wstring ReadIni(const IniDocument& doc, const std::wstring& section, const std::wstring& key);

// Writes one value (an empty value keeps the key with nothing after '='), creating the
// file and the section when missing. "1" when the write succeeded, "0" otherwise.
std::wstring WriteIni(Platform& platform, const std::wstring& file, const std::wstring& section,
                      const std::wstring& key, const std::wstring& value);

}  // namespace reelmark::ModuleIni
