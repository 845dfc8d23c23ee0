#include "player/command_line.h"

namespace reelmark {

std::wstring QuotedIfBlank(std::wstring_view path) {
  if (path.find(L' ') == std::wstring_view::npos) return std::wstring(path);
  std::wstring quoted = L"\"";
  quoted += path;
  quoted += L'"';
  return quoted;
}

}  // namespace reelmark
