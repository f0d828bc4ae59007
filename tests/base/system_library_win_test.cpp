#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/message_box_win.h"
#include "base/system_calls_win.h"
#include "base/system_library_win.h"
#include "support/dialog_driver_win.h"

namespace {

using corvane::SystemLibrary;

std::string FolderOf(HMODULE module) {
    char path[MAX_PATH] = {};
    const std::string file(path, ::GetModuleFileNameA(module, path, MAX_PATH));
    return file.substr(0, file.find_last_of('\\'));
}

std::string SystemFolder() {
    char path[MAX_PATH] = {};
    return std::string(path, ::GetSystemDirectoryA(path, MAX_PATH));
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The test's own program folder and the current folder, where Windows would look first.
class PlantedBesideTheProgram {
public:
    explicit PlantedBesideTheProgram(const char* name)
        : beside_(FolderOf(nullptr) + "\\" + name), current_(name) {
        const std::string planted = corvane::test::HostPathToWindows(CORVANE_PLANTED_DLL);
        ::CopyFileA(planted.c_str(), beside_.c_str(), FALSE);
        ::CopyFileA(planted.c_str(), current_.c_str(), FALSE);
    }
    ~PlantedBesideTheProgram() {
        for (const std::string& f : {beside_, current_}) {
            ::DeleteFileA(f.c_str());
            ::DeleteFileA((f + ".loaded").c_str());
        }
    }
    bool Loaded() const { return Exists(beside_ + ".loaded") || Exists(current_ + ".loaded"); }

private:
    std::string beside_;
    std::string current_;
};

TEST(SystemLibrary, LoadsAtItsFirstUseFromTheSystemFolder) {
    ASSERT_EQ(::GetModuleHandleA("winmm.dll"), nullptr);
    PlantedBesideTheProgram planted("winmm.dll");
    EXPECT_TRUE(corvane::sys::sndPlaySoundA(nullptr, 0)); // stops any sound: nothing to hear
    const HMODULE winmm = ::GetModuleHandleA("winmm.dll");
    ASSERT_NE(winmm, nullptr);
    EXPECT_STRCASEEQ(FolderOf(winmm).c_str(), SystemFolder().c_str());
    EXPECT_FALSE(planted.Loaded());
    // The process asked for the system folder alone: a plain load does not look beside us.
    PlantedBesideTheProgram other("corvane-planted.dll");
    EXPECT_EQ(::LoadLibraryA("corvane-planted.dll"), nullptr);
    EXPECT_FALSE(other.Loaded());
}

// What cannot be loaded is told once, in the program's own error box naming library and
// function; the call does nothing and fails, and the program goes on.
TEST(SystemLibrary, WhatCannotBeLoadedIsToldOnceAndDoesNothing) {
    const struct {
        const char* file;
        const char* text;
    } cases[] = {
        {"corvane-missing.dll", "126 : \r\n\r\ncorvane-missing.dll could not be loaded from the Windows system folder, "
                                "so sndPlaySoundA is not available."},
        {"corvane-planted.dll", "126 : \r\n\r\ncorvane-planted.dll could not be loaded from the Windows system folder, "
                                "so sndPlaySoundA is not available."},
        {"kernel32.dll", "127 : \r\n\r\nsndPlaySoundA was not found in kernel32.dll."},
    };
    PlantedBesideTheProgram planted("corvane-planted.dll");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        corvane::SystemLibraryRename rename(SystemLibrary::Winmm, c.file);
        corvane::MessageBoxInterceptor boxes;
        EXPECT_FALSE(corvane::sys::sndPlaySoundA(nullptr, 0));
        EXPECT_FALSE(corvane::sys::sndPlaySoundA(nullptr, 0));
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].title, "Error ! (Source : sndPlaySoundA)");
        EXPECT_EQ(boxes.Calls()[0].text, c.text);
        EXPECT_EQ(boxes.Calls()[0].Icon(), static_cast<UINT>(MB_ICONERROR));
    }
    EXPECT_FALSE(planted.Loaded());
}

} // namespace
