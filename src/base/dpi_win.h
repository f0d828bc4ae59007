#pragma once
// DPI of a window and the per-DPI system calls, looked up at run time: Windows before 10
// (1607) lacks them, and the program then falls back to the system-wide values.
#include <windows.h>

#include "base/geometry.h"
#include "base/handles_win.h"

namespace corvane {

// The DPI of the screen the window is on; the system DPI where that cannot be asked.
int DpiOfWindow(HWND hwnd);
// GetSystemMetricsForDpi, or GetSystemMetrics scaled from the system DPI.
int SystemMetricForDpi(int index, int dpi);
// The system's message font at this DPI.
UniqueGdiObject MessageFontForDpi(int dpi);
// The window rectangle around a client rectangle at this DPI.
RECT WindowRectForClient(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi);

} // namespace corvane
