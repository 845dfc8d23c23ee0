// The marks of favourites whose film is not there, measured on the real program as a new
// user meets them: with 9,999 favourites whose films are not there, how long after the
// window shows they are all marked; how long after a volume message the rows of films put
// back turn normal; and how long the window takes to answer meanwhile. With a root that
// never answers (a test build of the program, REELMARK_DEAD_ROOT), 100 favourites on it:
// how long the 9,899 others take, and how long after its save the program ends while a
// test waits on that root. Not a test: it prints what it saw.
//   reelmark_e2e_driver --measure-marks REELMARK_EXE STANDIN_EXE [DEAD_ROOT]
#pragma once

#include <string>
#include <vector>

namespace e2e {

int MeasureMarks(const std::vector<std::wstring>& arguments);

}  // namespace e2e
