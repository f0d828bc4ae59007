#pragma once
// The battery care reminder's level box takes keys and pastes as the critical level box does,
// and says when it was left for another of the program's windows so that the window can check
// the level once the focus has settled.
#include <windows.h>

namespace corvane::app {

// Digits and backspace only, pasted text reduced to its digits; leaving the box posts
// `leftMessage` to its parent. Detaches itself when the box is destroyed.
void AttachCareLevelBox(HWND box, UINT leftMessage);

} // namespace corvane::app
