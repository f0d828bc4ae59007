#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/dialog_driver_win.h"
#include "support/file_dialog_win.h"
#include "support/registry_sandbox_win.h"

namespace {

const std::string& ExePath() {
    static const std::string path = corvane::test::HostPathToWindows(CORVANE_EXE);
    return path;
}

struct FoundWindow {
    DWORD pid;
    const char* className;
    HWND hwnd;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<FoundWindow*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == f->pid && std::string(cls) == f->className) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A copy of Corvane.exe started by a test, ended by force if the test fails to end it. The
// autostart value it writes on a first start goes with it: the test prefix must never start
// a stray copy of its own.
class Running {
public:
    explicit Running(const std::string& exe = ExePath()) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        started = ::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
        if (started) {
            ::WaitForInputIdle(pi.hProcess, 10000);
        }
    }
    ~Running() {
        if (started) {
            if (::WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
                ::TerminateProcess(pi.hProcess, 99);
            }
            ::CloseHandle(pi.hThread);
            ::CloseHandle(pi.hProcess);
            corvane::test::DeleteRunValue();
        }
    }
    HWND Find(const char* className) const {
        FoundWindow f{pi.dwProcessId, className, nullptr};
        corvane::test::PumpUntil(
            [&] {
                ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&f));
                return f.hwnd != nullptr;
            },
            10000);
        return f.hwnd;
    }
    // Waits for the end; returns the exit code, or 12345 when it did not end.
    DWORD Wait(DWORD ms) const {
        if (::WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) {
            return 12345;
        }
        DWORD code = 12345;
        ::GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
    bool started = false;
    PROCESS_INFORMATION pi{};
};

// Under Wine another process cannot read the tray window's icon (its id with the shell), so
// these tests see the icon's removal as the tray window's end; the shell side of it is
// checked in-process by the main window's tests.
TEST(CorvaneExe, StartsHiddenInTheTrayAndQuitsCleanly) {
    Running corvane;
    ASSERT_TRUE(corvane.started) << ExePath() << " error " << ::GetLastError();
    const HWND main = corvane.Find("CorvaneMain");
    const HWND tray = corvane.Find("CorvaneSysTray");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(tray, nullptr);
    char caption[64] = {};
    ::GetWindowTextA(main, caption, sizeof caption);
    EXPECT_STREQ(caption, "Corvane 1.3.3");
    EXPECT_FALSE(::IsWindowVisible(main));

    // A second copy ends at once and adds nothing.
    Running second;
    ASSERT_TRUE(second.started);
    EXPECT_EQ(second.Wait(10000), 0u);

    // The close box only hides: the program keeps running.
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(corvane.Wait(1000), 12345u);
    EXPECT_TRUE(::IsWindow(tray));

    ::PostMessageA(main, WM_COMMAND, 2006 /* Quit */, 0);
    EXPECT_EQ(corvane.Wait(10000), 0u);
    EXPECT_FALSE(::IsWindow(tray));
}

TEST(CorvaneExe, EndOfSessionEndsItWithTheIconRemoved) {
    Running corvane;
    ASSERT_TRUE(corvane.started);
    const HWND main = corvane.Find("CorvaneMain");
    const HWND tray = corvane.Find("CorvaneSysTray");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(tray, nullptr);
    EXPECT_NE(::SendMessageA(main, WM_QUERYENDSESSION, 0, 0), 0);
    ::SendMessageA(main, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(corvane.Wait(10000), 0u);
    EXPECT_FALSE(::IsWindow(tray));
}

// A person's run: start, quit, and find the choices in AppOpt.ini beside the program, and the
// program started with Windows from a folder whose name has a space.
TEST(CorvaneExe, QuitSavesTheSettingsBesideTheProgram) {
    corvane::test::TempDir dir;
    const std::string folder = dir.File("Corvane copy");
    corvane::test::CreateFolders(folder);
    const std::string exe = folder + "\\Corvane.exe";
    ASSERT_TRUE(::CopyFileA(ExePath().c_str(), exe.c_str(), FALSE));
    const std::string ini = folder + "\\AppOpt.ini";
    {
        Running corvane(exe);
        ASSERT_TRUE(corvane.started);
        const HWND main = corvane.Find("CorvaneMain");
        ASSERT_NE(main, nullptr);
        EXPECT_STRCASEEQ(corvane::test::RunValueTarget().c_str(), exe.c_str());
        EXPECT_EQ(::GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);
        ::PostMessageA(main, WM_COMMAND, 2006 /* Quit */, 0);
        EXPECT_EQ(corvane.Wait(10000), 0u);
    }
    char value[64] = {};
    ::GetPrivateProfileStringA("settings", "startup", "", value, sizeof value, ini.c_str());
    EXPECT_STREQ(value, "1");
    ::GetPrivateProfileStringA("settings", "pglook", "", value, sizeof value, ini.c_str());
    EXPECT_STREQ(value, "3");
    ::GetPrivateProfileStringA("chrg", "alert_val", "", value, sizeof value, ini.c_str());
    EXPECT_STREQ(value, "10");
}

BOOL CALLBACK FindBoxOf(HWND hwnd, LPARAM lp);

// The installer's quit while a box or the About window is open: the loops end, and the
// program ends with 0 and its settings saved.
TEST(CorvaneExe, QuitOverAnOpenBoxEndsCleanly) {
    for (const WPARAM command : {WPARAM{2002} /* Help: its file is missing */, WPARAM{2004} /* About */}) {
        SCOPED_TRACE(command);
        corvane::test::TempDir dir;
        const std::string exe = dir.File("Corvane.exe");
        ASSERT_TRUE(::CopyFileA(ExePath().c_str(), exe.c_str(), FALSE));
        Running corvane(exe);
        ASSERT_TRUE(corvane.started);
        const HWND main = corvane.Find("CorvaneMain");
        ASSERT_NE(main, nullptr);
        ::PostMessageA(main, WM_COMMAND, command, 0);
        FoundWindow box{corvane.pi.dwProcessId, "", nullptr};
        EXPECT_TRUE(corvane::test::PumpUntil(
            [&] {
                if (command == 2004) {
                    box.hwnd = corvane.Find("CorvaneAbout");
                } else {
                    ::EnumWindows(FindBoxOf, reinterpret_cast<LPARAM>(&box));
                }
                return box.hwnd != nullptr;
            },
            10000));
        ::PostMessageA(main, WM_COMMAND, 2006 /* Quit */, 0);
        EXPECT_EQ(corvane.Wait(10000), 0u);
        char value[8] = {};
        ::GetPrivateProfileStringA("settings", "startup", "", value, sizeof value, dir.File("AppOpt.ini").c_str());
        EXPECT_STREQ(value, "1");
    }
}

// Quit with AppOpt.ini held by another program (as root, a read-only folder is no obstacle
// here): the save's error box stays until it is answered, and only then does the program end.
TEST(CorvaneExe, QuitOverAFailedSaveWaitsForItsBoxToBeAnswered) {
    for (const WPARAM quit : {WPARAM{2006} /* the menu's Quit */, WPARAM{0}}) {
        SCOPED_TRACE(quit);
        corvane::test::TempDir dir;
        const std::string exe = dir.File("Corvane.exe");
        ASSERT_TRUE(::CopyFileA(ExePath().c_str(), exe.c_str(), FALSE));
        const std::string ini = dir.File("AppOpt.ini");
        ASSERT_TRUE(::WritePrivateProfileStringA("settings", "startup", "0", ini.c_str()));
        Running corvane(exe);
        ASSERT_TRUE(corvane.started);
        const HWND main = corvane.Find("CorvaneMain");
        ASSERT_NE(main, nullptr);
        const HANDLE held = ::CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        if (quit != 0) {
            ::PostMessageA(main, WM_COMMAND, quit, 0);
        } else {
            ::PostMessageA(main, WM_ENDSESSION, TRUE, 0);
        }
        FoundWindow box{corvane.pi.dwProcessId, "", nullptr};
        EXPECT_TRUE(corvane::test::PumpUntil(
            [&] {
                ::EnumWindows(FindBoxOf, reinterpret_cast<LPARAM>(&box));
                return box.hwnd != nullptr;
            },
            5000));
        EXPECT_EQ(corvane.Wait(1000), 12345u) << "ended before the box was answered";
        char title[64] = {};
        if (box.hwnd) {
            ::GetWindowTextA(box.hwnd, title, sizeof title);
            ::PostMessageA(box.hwnd, WM_COMMAND, IDOK, 0);
        }
        EXPECT_STREQ(title, "Error in Saving Application Settings ...");
        EXPECT_EQ(corvane.Wait(10000), 0u);
        ::CloseHandle(held);
    }
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

BOOL CALLBACK FindBoxOf(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<FoundWindow*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == f->pid && std::string(cls) == "#32770" && ::IsWindowVisible(hwnd)) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

TEST(CorvaneExe, StartsFromAFolderOutsideTheAnsiCodePage) {
    // A user folder in another script ("Зоя"): the program finds its own files through the
    // ANSI calls, which can name such a folder only in UTF-8.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"\x0417\x043e\x044f";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\Corvane.exe";
    const std::wstring from(ExePath().begin(), ExePath().end());
    ASSERT_TRUE(::CopyFileW(from.c_str(), exe.c_str(), FALSE));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::WaitForInputIdle(pi.hProcess, 10000);
    FoundWindow main{pi.dwProcessId, "CorvaneMain", nullptr};
    FoundWindow box{pi.dwProcessId, "#32770", nullptr};
    EXPECT_TRUE(corvane::test::PumpUntil([&] {
        ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&main));
        return main.hwnd != nullptr;
    }, 10000));
    // Without UTF-8 the folder reads "???": a wildcard, and start-up stops at an error box.
    corvane::test::PumpUntil([&] {
        ::EnumWindows(FindBoxOf, reinterpret_cast<LPARAM>(&box));
        return box.hwnd != nullptr;
    }, 2000);
    char title[128] = {};
    if (box.hwnd != nullptr) {
        ::GetWindowTextA(box.hwnd, title, sizeof title);
    }
    EXPECT_EQ(box.hwnd, nullptr) << title;
    if (main.hwnd != nullptr) {
        ::PostMessageA(main.hwnd, WM_COMMAND, 2006 /* Quit */, 0);
    }
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 99);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::DeleteFileW(exe.c_str());
    ::DeleteFileW((folder + L"\\AppOpt.ini").c_str());
    ::RemoveDirectoryW(folder.c_str());
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
    EXPECT_NE(m.find("name=\"Corvane\" version=\"1.3.3.0\""), std::string::npos) << "the project's version";
    EXPECT_NE(m.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(m.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(m.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(m.find(">UTF-8</activeCodePage>"), std::string::npos);
    ::FreeLibrary(exe);
}

} // namespace
