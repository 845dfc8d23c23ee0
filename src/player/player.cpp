#include "player/player.h"

#include "base/path.h"

namespace reelmark {
namespace {

constexpr size_t kComparedCharacters = 10;

}  // namespace

bool TitleMatchesPrefix(std::wstring_view title, std::wstring_view prefix) {
  if (prefix.size() != kComparedCharacters || title.size() < kComparedCharacters) return false;
  return EqualsIgnoringAsciiCase(title.substr(0, kComparedCharacters), prefix);
}

WindowHandle FindPlayerWindow(Platform& platform, std::wstring_view prefix) {
  const WindowHandle own = platform.OwnWindow();
  for (const TopLevelWindow& window : platform.TopLevelWindows()) {
    if (window.handle != own && TitleMatchesPrefix(window.title, prefix)) return window.handle;
  }
  return 0;
}

void ClosePlayer(Platform& platform, WindowHandle window) {
  if (window == 0) return;
  // A player that needs longer than a moment to record its state must not leave us
  // reading the film of an earlier run: wait for its process to end.
  if (!platform.CloseWindowAndWaitForExit(window, kPlayerExitWaitMs)) platform.Sleep(kPlayerBlindWaitMs);
}

}  // namespace reelmark
