#include "base/text.h"

namespace reelmark {

std::optional<std::string> ToAnsiExact(std::wstring_view text) {
  // Reading the bytes back is the one test that catches both a '?' and the system's
  // "best fit" look-alikes (a letter written without its accent).
  std::string bytes = ToAnsi(text);
  if (FromAnsi(bytes) != text) return std::nullopt;
  return bytes;
}

}  // namespace reelmark
