#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "app/alert_sound_win.h"
#include "app/file_exists_win.h"
#include "base/message_box_win.h"
#include "support/dialog_driver_win.h"

namespace corvane {
namespace {

TEST(FileExists, AFailedLookupShowsTheRoutineBoxAndIsFalse) {
    MessageBoxInterceptor boxes;
    // Wildcards in a folder's name make the lookup fail as malformed.
    EXPECT_FALSE(app::FileExists("C:\\a<b>\\x.wav"));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const MessageBoxCall& box = boxes.Calls()[0];
    EXPECT_EQ(box.title, "Error ! (Source : FileExists)");
    EXPECT_EQ(box.text, "52 : \r\n\r\nBad file name or number");
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONINFORMATION));
}

TEST(PlayAlertSound, PlaysExistingFilesAsynchronouslyAndNothingElse) {
    test::TempDir temp;
    const std::string sound = temp.File("tone.wav");
    test::WriteWholeFile(sound, "RIFF");
    AlertSoundInterceptor played;
    PlayAlertSound(sound, "C:\\elsewhere");
    PlayAlertSound(temp.File("missing.wav"), "C:\\elsewhere");
    PlayAlertSound("", temp.Path());
    ASSERT_EQ(played.Calls().size(), 1u);
    EXPECT_EQ(played.Calls()[0].path, sound);
    EXPECT_EQ(played.Calls()[0].flags, static_cast<UINT>(SND_ASYNC | SND_NODEFAULT));
    EXPECT_EQ(played.Calls()[0].flags, 3u);
}

// A relative path is the program's file, whatever the current folder holds.
TEST(PlayAlertSound, ARelativePathIsTakenAgainstTheProgramsFolder) {
    test::TempDir program, current;
    test::WriteWholeFile(program.File("tone.wav"), "RIFF");
    test::WriteWholeFile(current.File("tone.wav"), "RIFF");
    test::WriteWholeFile(current.File("only here.wav"), "RIFF");
    char before[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ::SetCurrentDirectoryA(current.Path().c_str());
    AlertSoundInterceptor played;
    PlayAlertSound("tone.wav", program.Path());
    PlayAlertSound("only here.wav", program.Path());
    ::SetCurrentDirectoryA(before);
    ASSERT_EQ(played.Calls().size(), 1u);
    EXPECT_EQ(played.Calls()[0].path, program.File("tone.wav"));
}

} // namespace
} // namespace corvane
