#include "persistence/ini_encoding.h"

#include <optional>
#include <utility>

#include "base/text.h"
#include "base/unicode.h"

namespace reelmark {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

}  // namespace

IniText DecodeIniFile(std::string bytes) {
  if (std::string_view(bytes).substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
    // The mark is decoded with the rest: it stays the first character of the first line.
    return {IniEncoding::Utf16Le, Utf16LeToUtf8(bytes)};
  }
  return {IniEncoding::Ansi, std::move(bytes)};
}

std::string EncodeIniFile(IniEncoding encoding, std::string_view text) {
  if (encoding == IniEncoding::Ansi) return std::string(text);
  std::string bytes = Utf8ToUtf16Le(text);
  // The engine never edits before the first line's content, so the mark is still there;
  // without it the file would read back in the code page.
  if (std::string_view(bytes).substr(0, kUtf16LeMark.size()) != kUtf16LeMark) bytes.insert(0, kUtf16LeMark);
  return bytes;
}

std::string EncodeWholeIniFile(std::wstring_view text) {
  if (std::optional<std::string> ansi = ToAnsiExact(text)) return std::move(*ansi);
  std::string bytes(kUtf16LeMark);
  bytes += WideToUtf16Le(text);
  return bytes;
}

std::string ToIniText(IniEncoding encoding, std::wstring_view text) {
  return encoding == IniEncoding::Ansi ? ToAnsi(text) : WideToUtf8(text);
}

std::wstring FromIniText(IniEncoding encoding, std::string_view text) {
  return encoding == IniEncoding::Ansi ? FromAnsi(text) : Utf8ToWide(text);
}

}  // namespace reelmark
