// ANSI code page conversion on Windows: the system's own code page.
#include "base/text.h"

#include <windows.h>

#include <optional>
#include <type_traits>

namespace reelmark {

unsigned AnsiCodePage() { return GetACP(); }
void SetAnsiCodePage(unsigned) {}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

namespace {

// Every ANSI code page holds ASCII at the same places; text of ASCII alone (numbers, key
// names, many paths) is converted without a call into the system.
template <typename Char>
bool IsAscii(std::basic_string_view<Char> text) {
  for (const Char c : text) {
    if (static_cast<std::make_unsigned_t<Char>>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  if (IsAscii(bytes)) return std::wstring(bytes.begin(), bytes.end());
  // No code page gives more characters than it has bytes: one call converts.
  const int size = static_cast<int>(bytes.size());
  std::wstring out(bytes.size(), L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), size);
  out.resize(static_cast<size_t>(n > 0 ? n : 0));
  return out;
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  if (IsAscii(text)) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
    return out;
  }
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<std::string> ToAnsiExact(std::wstring_view text) {
  // Reading the bytes back is the one test that catches both a '?' and the system's
  // "best fit" look-alikes (a letter written without its accent), and it also holds where
  // the code page is UTF-8, which takes no flags.
  std::string bytes = ToAnsi(text);
  if (FromAnsi(bytes) != text) return std::nullopt;
  return bytes;
}

}  // namespace reelmark
