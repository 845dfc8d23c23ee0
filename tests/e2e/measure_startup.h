// The start-up measurement: how long reelmark.exe takes from the start of its process to
// its shown, filled main window, with no favourites and with 9,999, beside two floors
// (tests/startup-floor): the bare program of the same kind and the plainest program that
// shows the same window. In one run: the starts take turns, so all see the same machine.
// Prints each run, the medians, the fastest and the ratios.
// Not a test: it fails only when a program does not come up as expected.
//   reelmark_e2e_driver --measure-startup REELMARK_EXE STANDIN_EXE BARE_EXE SAME_WINDOW_EXE [RUNS]
#pragma once

#include <string>
#include <vector>

namespace e2e {

// `arguments`: --measure-startup REELMARK_EXE STANDIN_EXE BARE_EXE SAME_WINDOW_EXE [RUNS]
int MeasureStartup(const std::vector<std::wstring>& arguments);

// kk_fav.ini holding `count` favourites (D:\电影\连续剧\第N集.mkv, at N × 37 s), as the
// measurements give them to the program.
std::string FavouritesOfCount(int count);

}  // namespace e2e
