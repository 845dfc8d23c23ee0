#include "base/path.h"

namespace reelmark {

std::wstring_view FileNameOf(std::wstring_view path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view FromPosition(std::wstring_view text, size_t start) {
  if (start == 0) start = 1;
  return start - 1 >= text.size() ? std::wstring_view{} : text.substr(start - 1);
}

std::wstring_view Mid(std::wstring_view text, size_t start, size_t length) {
  return FromPosition(text, start).substr(0, length);
}

std::wstring_view TrimSpaces(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'a' && x <= L'z') x = static_cast<wchar_t>(x - 32);
    if (y >= L'a' && y <= L'z') y = static_cast<wchar_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

int DriveIndexOf(std::wstring_view path) {
  if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return -1;
  const wchar_t letter = path[0] & ~0x20;  // upper case, for ASCII letters
  return letter >= L'A' && letter <= L'Z' ? letter - L'A' : -1;
}

}  // namespace reelmark
