// The responsiveness measurement: how quickly reelmark.exe answers while a person holds
// the key s, then w, in its list of 9,999 favourites (each press moves the selected one
// down or up a row, and the changes reach the recovery file). A second thread sends the
// main window WM_NULL every few milliseconds and times each answer. Prints the slowest
// answer, the 99th percentile and the median, then ends the program with 走人, so nothing
// is saved. Not a test: it fails only when the program does not come up or does not take
// the keys as expected. A slower disk is the script's to give (scripts/measure-responsiveness.sh
// --slow-flush, tests/slow-disk).
//   reelmark_e2e_driver --measure-responsiveness REELMARK_EXE STANDIN_EXE
#pragma once

#include <string>
#include <vector>

namespace e2e {

// `arguments`: --measure-responsiveness REELMARK_EXE STANDIN_EXE
int MeasureResponsiveness(const std::vector<std::wstring>& arguments);

}  // namespace e2e
