#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>

namespace {

// The rarely used DLLs are linked to load at their first call; until then they cost nothing.
TEST(DelayLoad, RarelyUsedDllsLoadAtTheirFirstCall) {
#if defined(__MINGW32__) && defined(__i386__)
    GTEST_SKIP() << "32-bit MinGW builds import these DLLs as usual (see cmake/CorvaneDelayLoad.cmake)";
#endif
    ASSERT_EQ(::GetModuleHandleA("comdlg32.dll"), nullptr);
    ASSERT_EQ(::GetModuleHandleA("winmm.dll"), nullptr);
    EXPECT_EQ(::CommDlgExtendedError(), 0u);
    EXPECT_NE(::GetModuleHandleA("comdlg32.dll"), nullptr);
    ::sndPlaySoundA(nullptr, 0); // stops any sound: nothing to hear
    EXPECT_NE(::GetModuleHandleA("winmm.dll"), nullptr);
}

} // namespace
