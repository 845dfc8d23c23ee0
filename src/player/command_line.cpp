#include "player/command_line.h"

#include "player/player.h"

namespace reelmark {

std::wstring CommandLineProgram(std::wstring_view path) {
  if (path.find_first_of(L" \t") == std::wstring_view::npos) return std::wstring(path);
  std::wstring quoted = L"\"";
  quoted += path;
  quoted += L'"';
  return quoted;
}

std::wstring CommandLineArgument(std::wstring_view path) {
  std::wstring text = path.starts_with(L'-') ? L".\\" : L"";
  text += path;
  if (text.find_first_of(L" \t\"") == std::wstring::npos) return text;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;  // in a row just before the character at hand
  for (const wchar_t c : text) {
    if (c == L'"') quoted.append(backslashes + 1, L'\\');
    backslashes = c == L'\\' ? backslashes + 1 : 0;
    quoted += c;
  }
  quoted.append(backslashes, L'\\');
  quoted += L'"';
  return quoted;
}

std::wstring PlayerCommandLine(std::wstring_view programDirectory) {
  std::wstring program(programDirectory);
  program += L'\\';
  program += kPlayerExe;
  return CommandLineProgram(program) + L" ";
}

}  // namespace reelmark
