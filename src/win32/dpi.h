// The window's DPI and what depends on it, using the per-monitor functions where the
// system has them (Windows 10 1607 and later) and the system DPI elsewhere.
#pragma once

#include <windows.h>

#include "win32/unique_handle.h"

namespace reelmark::win32 {

int WindowDpi(HWND window);
// The DPI of the whole system, which windows have until a monitor of their own says otherwise.
int SystemDpi();
// The outer rectangle for a client rectangle, at the given DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// The system's message font (the one message boxes use), sized for the given DPI.
UniqueFont CreateMessageFont(int dpi);

}  // namespace reelmark::win32
