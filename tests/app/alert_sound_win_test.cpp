#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "app/alert_sound_win.h"
#include "base/message_box_win.h"
#include "support/dialog_driver_win.h"

namespace corvane {
namespace {

TEST(FileExists, FindsFilesOfEveryAttributeButNoFolders) {
    test::TempDir temp;
    MessageBoxInterceptor boxes;
    const std::string plain = temp.File("plain.wav");
    const std::string hidden = temp.File("hidden.wav");
    const std::string readOnly = temp.File("ro.wav");
    for (const std::string& f : {plain, hidden, readOnly}) {
        test::WriteWholeFile(f, "RIFF");
    }
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryA(temp.File("folder.wav").c_str(), nullptr);

    EXPECT_TRUE(FileExists(plain));
    EXPECT_TRUE(FileExists(hidden));
    EXPECT_TRUE(FileExists(readOnly));
    EXPECT_FALSE(FileExists(temp.File("folder.wav")));
    EXPECT_FALSE(FileExists(temp.File("missing.wav")));
    EXPECT_FALSE(FileExists(temp.Path() + "\\no such folder\\x.wav"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FileExists(temp.File("*.wav"))) << "a pattern matching files";
    EXPECT_FALSE(FileExists(temp.File("folder.*"))) << "a pattern matching only a folder";
    EXPECT_FALSE(FileExists(temp.File("*.mp3")));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST(FileExists, AFailedLookupShowsTheRoutineBoxAndIsFalse) {
    MessageBoxInterceptor boxes;
    // Wildcards in a folder's name make the lookup fail as malformed.
    EXPECT_FALSE(FileExists("C:\\a<b>\\x.wav"));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const MessageBoxCall& box = boxes.Calls()[0];
    EXPECT_EQ(box.title, "Error ! (Source : FileExists)");
    EXPECT_EQ(box.text.substr(0, 10), "123 : \r\n\r\n") << box.text;
    EXPECT_GT(box.text.size(), box.text.find("\r\n\r\n") + 4) << "a description follows";
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONINFORMATION));
}

TEST(PlayAlertSound, PlaysExistingFilesAsynchronouslyAndNothingElse) {
    test::TempDir temp;
    const std::string sound = temp.File("tone.wav");
    test::WriteWholeFile(sound, "RIFF");
    AlertSoundInterceptor played;
    PlayAlertSound(sound);
    PlayAlertSound(temp.File("missing.wav"));
    PlayAlertSound("");
    ASSERT_EQ(played.Calls().size(), 1u);
    EXPECT_EQ(played.Calls()[0].path, sound);
    EXPECT_EQ(played.Calls()[0].flags, static_cast<UINT>(SND_ASYNC | SND_NODEFAULT));
    EXPECT_EQ(played.Calls()[0].flags, 3u);
}

} // namespace
} // namespace corvane
