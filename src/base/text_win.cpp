// ANSI code page conversion on Windows: the system's own code page.
#include "base/text.h"

#include <windows.h>

#include <optional>

namespace reelmark {

unsigned AnsiCodePage() { return GetACP(); }
void SetAnsiCodePage(unsigned) {}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), n);
  return out;
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
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
