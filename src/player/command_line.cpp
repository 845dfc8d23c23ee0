#include "player/command_line.h"

#include "player/player.h"

namespace reelmark {

std::wstring QuoteIfBlank(std::wstring_view text) {
  if (text.find_first_of(L" \t") == std::wstring_view::npos) return std::wstring(text);
  std::wstring quoted = L"\"";
  quoted += text;
  quoted += L'"';
  return quoted;
}

std::wstring PlayerCommandLine(std::wstring_view programDirectory) {
  std::wstring program(programDirectory);
  program += L'\\';
  program += kPlayerExe;
  return QuoteIfBlank(program) + L" ";
}

}  // namespace reelmark
