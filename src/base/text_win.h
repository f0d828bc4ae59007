#pragma once
// Text at the platform boundary: Corvane keeps std::string in the system's ANSI code page,
// as the ANSI API calls expect; only the tray icon's wide interface needs UTF-16.
#include <windows.h>

#include <string>
#include <string_view>

namespace corvane {

std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);
// The same text in UTF-8, from bytes in the given code page.
std::string RecodeToUtf8(std::string_view text, unsigned codePage);
// The system's own ANSI code page, which the program's UTF-8 code page stands in for.
unsigned LegacyAnsiCodePage();
// A window's text, as GetWindowTextA gives it.
std::string WindowText(HWND hwnd);

} // namespace corvane
