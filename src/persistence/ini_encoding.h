// How an INI file's bytes hold its text, decided in one place when the file is read and
// in one place when it is written, as the system's profile functions decide it:
// - a file that starts with the UTF-16LE byte-order mark FF FE is Unicode (a file that
//   holds nothing but the mark too);
// - every other file is in the ANSI code page, a UTF-8 or UTF-16BE mark included: those
//   bytes are simply part of the first line.
// The engine walks the text of an ANSI file as the file's own bytes, so every byte it does
// not edit stays as it was; it walks a Unicode file as UTF-8, mark included, where every
// delimiter is one byte and no byte of a character can be taken for one.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace reelmark {

enum class IniEncoding : unsigned char { Ansi, Utf16Le };

struct IniText {
  IniEncoding encoding = IniEncoding::Ansi;
  std::string text;  // what the engine walks
};

// The file's bytes as the engine walks them.
IniText DecodeIniFile(std::string bytes);
// The engine's text back into the file's bytes, in the encoding the file was read in: a
// Unicode file stays Unicode, and a file that was not Unicode never becomes it.
std::string EncodeIniFile(IniEncoding encoding, std::string_view text);

// A file written afresh, whole: in the ANSI code page when it holds every character,
// otherwise UTF-16LE behind its mark, so no character is ever turned into '?'.
std::string EncodeWholeIniFile(std::wstring_view text);

// Names and values between the program's text and the engine's text of a file.
std::string ToIniText(IniEncoding encoding, std::wstring_view text);
std::wstring FromIniText(IniEncoding encoding, std::string_view text);
// Many values, each as FromIniText converts it, converted together: start-up reads
// thousands of paths, and a call into the system for each costs more than its characters.
struct WideTexts {
  std::wstring text;  // the values one after another
  std::vector<std::pair<size_t, size_t>> spans;  // where each value is in `text`: offset, length
  size_t size() const { return spans.size(); }
  std::wstring_view operator[](size_t i) const {
    return std::wstring_view(text).substr(spans[i].first, spans[i].second);
  }
};
WideTexts FromIniTexts(IniEncoding encoding, std::span<const std::string_view> texts);

// The byte-order mark of a Unicode file as the engine sees it at the start of its text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace reelmark
