#pragma once
// What a screen reader hears from the bar: a progress bar whose value is the percentage of
// its range, read with PBM_GETRANGE and PBM_GETPOS as the system's own progress-bar proxy
// reads them. Everything else (name, place, parent, navigation) is the system's standard
// client object for the window.
//
// The system's progress-bar proxy itself (CreateStdAccessibleProxy) is not used: Wine has
// only a stub of it, which ends the process when called.
#include <windows.h>

namespace corvane::progressbar {

// The answer to WM_GETOBJECT: an object for OBJID_CLIENT, DefWindowProc's for the others.
LRESULT AnswerGetObject(HWND bar, WPARAM wParam, LPARAM lParam);

// "57%": the position as a whole percentage of the range (rounded down), "0%" for an empty range.
int PercentOfRange(int low, int high, int pos) noexcept;

} // namespace corvane::progressbar
