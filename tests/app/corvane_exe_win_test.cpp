#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/dialog_driver_win.h"

namespace {

const std::string& ExePath() {
    static const std::string path = corvane::test::HostPathToWindows(CORVANE_EXE);
    return path;
}

struct FoundWindow {
    DWORD pid;
    HWND hwnd;
};

BOOL CALLBACK FindMainOf(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<FoundWindow*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char title[64] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    if (pid == f->pid && std::string(title) == "Corvane 1.3.3") {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

TEST(CorvaneExe, StartsShowsItsWindowAndEndsCleanly) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + ExePath() + "\"";
    ASSERT_TRUE(::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << ExePath() << " error " << ::GetLastError();
    ::WaitForInputIdle(pi.hProcess, 10000);

    FoundWindow f{pi.dwProcessId, nullptr};
    const bool found = corvane::test::PumpUntil(
        [&] {
            ::EnumWindows(FindMainOf, reinterpret_cast<LPARAM>(&f));
            return f.hwnd != nullptr;
        },
        10000);
    EXPECT_TRUE(found);
    if (found) {
        ::PostMessageA(f.hwnd, WM_CLOSE, 0, 0);
    }
    const DWORD wait = ::WaitForSingleObject(pi.hProcess, 10000);
    if (wait != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 99);
    }
    DWORD code = 12345;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(wait, WAIT_OBJECT_0);
    EXPECT_EQ(code, 0u);
}

std::string VersionString(const std::vector<char>& block, const char* name) {
    struct LangCp {
        WORD lang, cp;
    }* tr = nullptr;
    UINT len = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) ||
        len < sizeof(LangCp)) {
        return "<no translation>";
    }
    char query[128];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\%s", tr->lang, tr->cp, name);
    char* value = nullptr;
    if (!::VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &len)) {
        return "<missing>";
    }
    return value;
}

TEST(CorvaneExe, CarriesVersionIconAndManifest) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(ExePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(ExePath().c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 1));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 3);
    EXPECT_EQ(VersionString(block, "FileDescription"), "Corvane");
    EXPECT_EQ(VersionString(block, "ProductName"), "Corvane");

    HMODULE exe = ::LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    // The icon group lists every size the shell may ask for.
    HRSRC group = ::FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    const BYTE* dir = static_cast<const BYTE*>(::LockResource(::LoadResource(exe, group)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;
        sizes.insert(entry[0]);
        EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 32) << "bit count of entry " << i;
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 48}));

    HRSRC manifest = ::FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    ASSERT_NE(manifest, nullptr);
    const char* text = static_cast<const char*>(::LockResource(::LoadResource(exe, manifest)));
    const std::string m(text, ::SizeofResource(exe, manifest));
    EXPECT_NE(m.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(m.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(m.find("PerMonitorV2"), std::string::npos);
    ::FreeLibrary(exe);
}

} // namespace
