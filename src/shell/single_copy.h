// One copy of the program per folder: the names under which the first copy can be found
// by a second start in the same folder, and what the two say to each other.
//
// A second start hands its capture to the first copy and ends, since each copy writes
// the favourites file whole when it ends and the one that ended last would win.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace reelmark {

struct SingleCopyNames {
  std::wstring mutex;         // held by the first copy for its whole run, in the session's namespace
  std::wstring handOffClass;  // the class of the first copy's message-only hand-off window
};

// `folder` is the program folder's long path as the system upper-cases it, so that one
// folder written in another case or through its short name gives the same text; a
// trailing backslash or the "\\?\" prefix changes nothing. `desktop` is the name of the
// desktop the program runs on: each desktop runs a copy of its own, since a window is
// found only on its own desktop.
SingleCopyNames SingleCopyNamesFor(std::wstring_view folder, std::wstring_view desktop);

// Whether the path may name a folder by its short name: the short names the system
// makes for long names always hold a "~". Only then is the long path asked for, which
// costs a look into every folder on the way.
bool MayHoldShortName(std::wstring_view path);

// 64-bit FNV-1a over the text's UTF-16 code units, as 16 upper-case hex digits.
std::wstring HexHash(std::wstring_view text);

// The registered message a second start sends to the hand-off window; its answer says
// whether the first copy took the capture over.
inline constexpr wchar_t kHandOffMessageName[] = L"Reelmark-HandOffCapture";
inline constexpr std::intptr_t kHandOffTaken = 1;
inline constexpr std::intptr_t kHandOffRefused = 2;  // the first copy is ending

// How long a second start waits for the first copy to answer, or to end and leave the
// folder to it: longer than a capture's wait for the player, during which the first copy
// answers nothing.
inline constexpr unsigned kHandOffLimitMs = 10000;

}  // namespace reelmark
