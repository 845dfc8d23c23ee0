// The start-up measurement: how long reelmark.exe takes from the start of its process to
// its shown, filled main window, with no favourites and with 9,999, side by side in one
// run (the runs alternate, so both see the same machine). Prints each run, the medians and
// their ratio. Not a test: it fails only when the program does not come up as expected.
//   reelmark_e2e_driver --measure-startup REELMARK_EXE STANDIN_EXE [RUNS]
#pragma once

#include <string>
#include <vector>

namespace e2e {

// `arguments`: --measure-startup REELMARK_EXE STANDIN_EXE [RUNS]
int MeasureStartup(const std::vector<std::wstring>& arguments);

}  // namespace e2e
