// Settings of the Wine prefix the driver runs in, made before any program is started.
#pragma once

namespace e2e {

// Under Wine without a window manager (a headless X server), every hidden window waits
// two seconds for a window manager that never answers; unmanaged windows skip that wait,
// which makes each message box cost milliseconds instead of seconds. Does nothing outside
// Wine. The ctest run uses a prefix of its own, so no other prefix is touched.
void UseUnmanagedWindowsUnderWine();

}  // namespace e2e
