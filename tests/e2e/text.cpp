#include "text.h"

#include <windows.h>

#include <cstdio>

namespace e2e {
namespace {

std::string Narrow(unsigned codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Widen(unsigned codePage, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, out.data(), n);
  return out;
}

}  // namespace

std::string ToCp936(std::wstring_view text) { return Narrow(kFileCodePage, text); }
std::wstring FromCp936(std::string_view bytes) { return Widen(kFileCodePage, 0, bytes); }
std::string ToUtf8(std::wstring_view text) { return Narrow(CP_UTF8, text); }
std::wstring FromUtf8(std::string_view text) { return Widen(CP_UTF8, 0, text); }

std::string Shown(std::wstring_view text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    switch (c) {
      case L'\r': out += L"\\r"; break;
      case L'\n': out += L"\\n"; break;
      case L'\t': out += L"\\t"; break;
      case L'"': out += L"\\\""; break;
      case L'\\': out += L"\\\\"; break;
      default:
        if (c < 0x20) {
          wchar_t buffer[8];
          swprintf(buffer, 8, L"\\x%02X", static_cast<unsigned>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  out += L"\"";
  return ToUtf8(out);
}

std::string ShownBytes(std::string_view bytes) {
  // Strict decoding: bytes that are not code page 936 text are shown as hex instead.
  if (bytes.empty() || !Widen(kFileCodePage, MB_ERR_INVALID_CHARS, bytes).empty()) {
    return Shown(FromCp936(bytes));
  }
  std::string out = "hex:";
  char buffer[4];
  for (unsigned char c : bytes) {
    snprintf(buffer, sizeof buffer, "%02X", c);
    out += buffer;
  }
  return out;
}

}  // namespace e2e
