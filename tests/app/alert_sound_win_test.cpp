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

} // namespace
} // namespace corvane
