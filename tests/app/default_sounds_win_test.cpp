#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/dialog_driver_win.h"

namespace {

std::uint32_t Le32(const std::string& s, size_t at) {
    return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
           static_cast<std::uint8_t>(s[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}
std::int16_t Sample(const std::string& s, size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8);
}

// The three default sounds lie beside the program, as short 16-bit PCM WAV files that start
// and end softly (no click) and never clip.
TEST(DefaultSounds, LieBesideTheProgramAsShortSoftPcmWaves) {
    std::string folder = corvane::test::HostPathToWindows(CORVANE_EXE);
    folder.resize(folder.rfind('\\'));
    for (const char* name : {"chg_start.wav", "chg_full.wav", "chg_critical.wav"}) {
        SCOPED_TRACE(name);
        const std::string wav = corvane::test::ReadWholeFile(folder + "\\" + name);
        ASSERT_GE(wav.size(), 2000u);
        EXPECT_LE(wav.size(), 16000u);
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le32(wav, 16), 16u);
        EXPECT_EQ(Le32(wav, 20) & 0xFFFF, 1u) << "PCM";
        EXPECT_EQ(Le32(wav, 20) >> 16, 1u) << "mono";
        EXPECT_EQ(Le32(wav, 32) >> 16, 16u) << "16-bit";
        ASSERT_EQ(wav.substr(36, 4), "data");
        ASSERT_EQ(Le32(wav, 40), wav.size() - 44);

        int peak = 0;
        for (size_t at = 44; at + 1 < wav.size(); at += 2) {
            peak = std::max(peak, std::abs(static_cast<int>(Sample(wav, at))));
        }
        EXPECT_GT(peak, 8000) << "audible";
        EXPECT_LT(peak, 30000) << "headroom";
        EXPECT_LT(std::abs(Sample(wav, 44)), 2000) << "soft start";
        EXPECT_LT(std::abs(Sample(wav, wav.size() - 2)), 200) << "soft end";
    }
}

} // namespace
