// Files dropped on a window that accepts them (WM_DROPFILES).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace reelmark::win32 {

// The full paths the drop carries, in its order; a path the system cannot give is empty
// (the form skips it). The drop is finished (its memory released) before this returns.
std::vector<std::wstring> TakeDroppedFiles(HDROP drop);

}  // namespace reelmark::win32
