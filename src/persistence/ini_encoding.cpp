#include "persistence/ini_encoding.h"

#include <algorithm>
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

WideTexts FromIniTexts(IniEncoding encoding, std::span<const std::string_view> texts) {
  // The values go through as one text, each followed by a line end. A value whose last
  // byte is ASCII ends with a whole character in the code page and in UTF-8 alike, so the
  // line end after it is read on its own and comes back as itself; any other value, and
  // one that holds a line end, is converted alone.
  std::vector<unsigned char> alone(texts.size());  // bytes, not bits: read 20,000 times
  std::string joined;
  size_t size = 0;
  for (const std::string_view value : texts) size += value.size() + 1;
  joined.reserve(size);
  for (size_t i = 0; i < texts.size(); ++i) {
    const std::string_view value = texts[i];
    alone[i] = !value.empty() && (static_cast<unsigned char>(value.back()) >= 0x80 || value.find('\n') != value.npos);
    if (!alone[i]) joined.append(value).push_back('\n');
  }
  WideTexts out{FromIniText(encoding, joined), std::vector<std::pair<size_t, size_t>>(texts.size())};
  size_t from = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (alone[i]) continue;
    const size_t end = std::min(out.text.find(L'\n', from), out.text.size());
    out.spans[i] = {from, end - from};
    from = std::min(end + 1, out.text.size());
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!alone[i]) continue;
    const size_t at = out.text.size();
    out.text += FromIniText(encoding, texts[i]);
    out.spans[i] = {at, out.text.size() - at};
  }
  return out;
}

}  // namespace reelmark
