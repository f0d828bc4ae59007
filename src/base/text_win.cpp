#include "base/text_win.h"

#include <windows.h>

namespace corvane {

std::wstring AnsiToWide(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int len = static_cast<int>(ansi.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, out.data(), n);
    return out;
}

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int len = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), len, out.data(), n, nullptr, nullptr);
    return out;
}

std::string RecodeToUtf8(std::string_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int len = static_cast<int>(text.size());
    const int wn = ::MultiByteToWideChar(codePage, 0, text.data(), len, nullptr, 0);
    if (wn <= 0) {
        return std::string(text);
    }
    std::wstring wide(static_cast<size_t>(wn), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), len, wide.data(), wn);
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, out.data(), n, nullptr, nullptr);
    return out;
}

unsigned LegacyAnsiCodePage() {
    DWORD cp = 0;
    if (::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                          reinterpret_cast<LPWSTR>(&cp), sizeof(cp) / sizeof(WCHAR)) == 0 ||
        cp == 0) {
        return 1252;
    }
    return cp;
}

std::string WindowText(HWND hwnd) {
    const int n = ::GetWindowTextLengthA(hwnd);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    s.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, s.data(), n + 1)));
    return s;
}

} // namespace corvane
