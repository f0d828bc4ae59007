#pragma once
// FileExists: whether a path names a file (hidden and system files included, folders not);
// a wildcard pattern is true when any file matches. Lookup failures other than "not there"
// are shown in the routine's error box and give false.
#include <windows.h>

#include <string_view>

namespace corvane::app {

bool FileExists(std::string_view path, HWND owner = nullptr);

} // namespace corvane::app
