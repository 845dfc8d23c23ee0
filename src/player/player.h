// What the program fixes about the player it serves: where it is, how its window is
// recognised, and how it is asked to close so that it records where it stopped.
#pragma once

#include <string>
#include <string_view>

#include "system/platform.h"

namespace reelmark {

inline constexpr wchar_t kPlayerTitlePrefix[] = L"MPlayer - ";
inline constexpr wchar_t kPlayerExe[] = L"mplayer.exe";
inline constexpr wchar_t kSettingsFile[] = L"kk.ini";

// How long the player may take to record its state and end after the close request.
inline constexpr unsigned kPlayerExitWaitMs = 5000;
// The pause taken instead when the player's process cannot be waited on.
inline constexpr unsigned kPlayerBlindWaitMs = 500;

// True when the title's first 10 characters equal the whole prefix, ASCII letters
// compared without regard to case (so a prefix of another length never matches).
bool TitleMatchesPrefix(std::wstring_view title, std::wstring_view prefix);

// The first top-level window from the top of the Z order, other than the program's own,
// whose title matches the prefix; 0 when there is none.
WindowHandle FindPlayerWindow(Platform& platform, std::wstring_view prefix);

// Asks the player's window to close and waits until the player has recorded its state.
void ClosePlayer(Platform& platform, WindowHandle window);

}  // namespace reelmark
