#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "tray/notify_record.h"

namespace corvane::tray {
namespace {

constexpr std::uint32_t kGetVersionNt4 = 0x05650004;  // NT flag, 4.0
constexpr std::uint32_t kGetVersion98 = 0xC0000A04;   // 95 family, 4.10
constexpr std::uint32_t kGetVersionMe = 0xC0005A04;   // 95 family, 4.90
constexpr std::uint32_t kGetVersion2000 = 0x08930005; // NT flag, 5.0
constexpr std::uint32_t kGetVersion7 = 0x1DB10106;    // NT flag, 6.1

struct Sent {
    bool unicode;
    std::uint32_t message;
    std::vector<std::uint8_t> record;

    std::uint32_t U32(std::uint32_t offset) const {
        std::uint32_t v;
        std::memcpy(&v, record.data() + offset, 4);
        return v;
    }
    std::string Ansi(std::uint32_t offset, std::uint32_t n) const {
        return std::string(reinterpret_cast<const char*>(record.data()) + offset, n);
    }
    // The UTF-16 field as narrow text up to its NUL, and whether the rest is all zeros.
    std::string Wide(std::uint32_t offset, std::uint32_t bytes, bool* zeroTail = nullptr) const {
        std::string s;
        std::uint32_t i = 0;
        for (; i + 1 < bytes; i += 2) {
            const unsigned c = record[offset + i] | (record[offset + i + 1] << 8);
            if (c == 0) {
                break;
            }
            s.push_back(static_cast<char>(c));
        }
        if (zeroTail) {
            *zeroTail = true;
            for (; i < bytes; ++i) {
                *zeroTail = *zeroTail && record[offset + i] == 0;
            }
        }
        return s;
    }
};

class RecordingShell : public NotifyShell {
public:
    bool Notify(bool unicode, std::uint32_t message, std::span<const std::uint8_t> record) override {
        sent.push_back(Sent{unicode, message, std::vector<std::uint8_t>(record.begin(), record.end())});
        return true;
    }
    std::vector<Sent> sent;
};

struct Tray {
    explicit Tray(std::uint32_t getVersion, std::uint32_t pointerSize = 4)
        : record(DecodeWindowsVersion(getVersion), pointerSize, shell, codec) {}
    void Load() { record.Load(0x00010042, 0x00020077, "Corvane"); }
    RecordingShell shell;
    Latin1Codec codec;
    TrayIconRecord record;
};

TEST(TrayInterface, VersionChoosesTheRecordAndItsSize) {
    struct Case {
        std::uint32_t version;
        bool unicode, balloons;
        std::uint32_t size32, size64;
    } cases[] = {
        {kGetVersionNt4, true, false, 152, 168},  {kGetVersion98, false, false, 88, 104},
        {kGetVersionMe, false, true, 488, 504},   {kGetVersion2000, true, true, 936, 952},
        {kGetVersion7, true, true, 936, 952},
    };
    for (const Case& c : cases) {
        const TrayInterface ti = ChooseInterface(DecodeWindowsVersion(c.version));
        EXPECT_EQ(ti.unicode, c.unicode) << std::hex << c.version;
        EXPECT_EQ(ti.balloonTips, c.balloons) << std::hex << c.version;
        EXPECT_EQ(NotifyDataSize(ti, 4), c.size32) << std::hex << c.version;
        EXPECT_EQ(NotifyDataSize(ti, 8), c.size64) << std::hex << c.version;
    }
    const WindowsVersion me = DecodeWindowsVersion(kGetVersionMe);
    EXPECT_EQ(me.major, 4);
    EXPECT_EQ(me.minor, 90);
    EXPECT_FALSE(me.nt);
    EXPECT_EQ(TextByteCount(true, 128), 256u);
    EXPECT_EQ(TextByteCount(false, 128), 128u);
}

TEST(TrayInterface, FieldOffsetsOfThe32BitRecords) {
    const NotifyLayout w = LayoutFor(true, 4);
    EXPECT_EQ(w.hWnd, 4u);
    EXPECT_EQ(w.uID, 8u);
    EXPECT_EQ(w.uFlags, 12u);
    EXPECT_EQ(w.uCallbackMessage, 16u);
    EXPECT_EQ(w.hIcon, 20u);
    EXPECT_EQ(w.szTip, 24u);
    EXPECT_EQ(w.dwState, 280u);
    EXPECT_EQ(w.dwStateMask, 284u);
    EXPECT_EQ(w.szInfo, 288u);
    EXPECT_EQ(w.uTimeout, 800u);
    EXPECT_EQ(w.szInfoTitle, 804u);
    EXPECT_EQ(w.dwInfoFlags, 932u);
    const NotifyLayout a = LayoutFor(false, 4);
    EXPECT_EQ(a.dwState, 152u);
    EXPECT_EQ(a.dwStateMask, 156u);
    EXPECT_EQ(a.szInfo, 160u);
    EXPECT_EQ(a.uTimeout, 416u);
    EXPECT_EQ(a.szInfoTitle, 420u);
    EXPECT_EQ(a.dwInfoFlags, 484u);
}

TEST(CopyTextToBytes, KeepsRoomForTheTerminatorAndZerosTheRest) {
    std::vector<std::uint8_t> field(10, 0xAA);
    CopyTextToBytes(u"Corvane", field);
    EXPECT_EQ(field, (std::vector<std::uint8_t>{'C', 0, 'o', 0, 'r', 0, 'v', 0, 0, 0}));
    std::fill(field.begin(), field.end(), 0xAA);
    CopyTextToBytes(u"\u20ACb", field);
    EXPECT_EQ(field, (std::vector<std::uint8_t>{0xAC, 0x20, 'b', 0, 0, 0, 0, 0, 0, 0}));
    CopyTextToBytes(u"", field);
    EXPECT_EQ(field, std::vector<std::uint8_t>(10, 0));
}

TEST(TrayIconRecord, Windows2000AddsWithVersionRequestAndWideFields) {
    Tray t(kGetVersion2000);
    t.Load();
    ASSERT_EQ(t.shell.sent.size(), 2u);
    const Sent& add = t.shell.sent[0];
    EXPECT_TRUE(add.unicode);
    EXPECT_EQ(add.message, kNimAdd);
    EXPECT_EQ(add.record.size(), 936u);
    EXPECT_EQ(add.U32(0), 936u);
    EXPECT_EQ(add.U32(4), 0x00010042u);
    EXPECT_EQ(add.U32(8), 0x00020077u);
    EXPECT_EQ(add.U32(12), 7u);
    EXPECT_EQ(add.U32(16), 512u);
    EXPECT_EQ(add.U32(20), 0x00020077u);
    bool zeros = false;
    EXPECT_EQ(add.Wide(24, 256, &zeros), "Corvane");
    EXPECT_TRUE(zeros);
    EXPECT_EQ(add.U32(800), 3u);
    EXPECT_EQ(t.shell.sent[1].message, kNimSetVersion);
    EXPECT_EQ(t.shell.sent[1].record, add.record);

    t.record.SetToolTip(std::string(200, 'x'));
    EXPECT_EQ(t.record.ToolTip(), std::string(127, 'x'));
    EXPECT_EQ(t.shell.sent.back().message, kNimModify);
    EXPECT_EQ(t.shell.sent.back().U32(12), 4u);

    t.record.ShowBalloonTip(std::string(300, 'm'), std::string(100, 't'), 3, 2000);
    const Sent& balloon = t.shell.sent.back();
    EXPECT_EQ(balloon.U32(12), 16u);
    EXPECT_EQ(balloon.Wide(288, 512, &zeros), std::string(255, 'm'));
    EXPECT_TRUE(zeros);
    EXPECT_EQ(balloon.Wide(804, 128, &zeros), std::string(63, 't'));
    EXPECT_TRUE(zeros);
    EXPECT_EQ(balloon.U32(800), 2000u);
    EXPECT_EQ(balloon.U32(932), 3u);

    // Later tooltip changes send only their own flag: the balloon is not shown again.
    t.record.SetToolTip("Charge: 57%");
    EXPECT_EQ(t.shell.sent.back().U32(12), 4u);
    EXPECT_EQ(t.record.ToolTip(), "Charge: 57%");

    t.record.Unload();
    EXPECT_EQ(t.shell.sent.back().message, kNimDelete);
    EXPECT_EQ(t.shell.sent.back().U32(8), 0x00020077u);
}

TEST(TrayIconRecord, WindowsNt4HasNoBalloonsAndA63CharacterTip) {
    Tray t(kGetVersionNt4);
    t.Load();
    ASSERT_EQ(t.shell.sent.size(), 1u); // no version request
    EXPECT_EQ(t.shell.sent[0].U32(0), 152u);
    EXPECT_EQ(t.shell.sent[0].U32(800), 0u);
    t.record.SetToolTip(std::string(200, 'y'));
    EXPECT_EQ(t.record.ToolTip(), std::string(63, 'y'));
    bool zeros = false;
    t.shell.sent.back().Wide(24, 256, &zeros);
    EXPECT_TRUE(zeros);
    const std::size_t before = t.shell.sent.size();
    t.record.ShowBalloonTip("Hello", "Corvane", 1, 2000);
    EXPECT_EQ(t.shell.sent.size(), before);
}

TEST(TrayIconRecord, WindowsMeUsesTheBlankPaddedAnsiRecord) {
    Tray t(kGetVersionMe);
    t.Load();
    ASSERT_EQ(t.shell.sent.size(), 2u);
    const Sent& add = t.shell.sent[0];
    EXPECT_FALSE(add.unicode);
    EXPECT_EQ(add.record.size(), 488u);
    EXPECT_EQ(add.U32(0), 488u);
    EXPECT_EQ(add.Ansi(24, 128), std::string("Corvane") + '\0' + std::string(120, ' '));
    EXPECT_EQ(add.U32(416), 3u);

    t.record.ShowBalloonTip("Battery full", "Corvane", 1, 2.5);
    const Sent& balloon = t.shell.sent.back();
    EXPECT_EQ(balloon.Ansi(160, 256), "Battery full" + std::string(244, ' '));
    EXPECT_EQ(balloon.Ansi(420, 64), "Corvane" + std::string(57, ' '));
    EXPECT_EQ(balloon.U32(416), 2u); // 2.5 rounds to the even 2
    EXPECT_EQ(balloon.U32(484), 1u);
    t.record.ShowBalloonTip(std::string(300, 'm'), std::string(100, 't'), 1, 2000);
    EXPECT_EQ(t.shell.sent.back().Ansi(160, 256), std::string(256, 'm'));
    EXPECT_EQ(t.shell.sent.back().Ansi(420, 64), std::string(64, 't'));

    // The same tooltip again sends nothing; a 128-character one fills the field without NUL.
    const std::size_t before = t.shell.sent.size();
    t.record.SetToolTip("Corvane");
    EXPECT_EQ(t.shell.sent.size(), before);
    t.record.SetToolTip(std::string(150, 'z'));
    EXPECT_EQ(t.shell.sent.back().Ansi(24, 128), std::string(128, 'z'));
    EXPECT_EQ(t.record.ToolTip(), std::string(128, 'z'));
    t.record.SetToolTip("");
    EXPECT_EQ(t.record.ToolTip(), "");
}

TEST(TrayIconRecord, Windows98SendsTheSmallAnsiRecordAndNoBalloons) {
    Tray t(kGetVersion98);
    t.Load();
    ASSERT_EQ(t.shell.sent.size(), 1u);
    EXPECT_EQ(t.shell.sent[0].U32(0), 88u);
    EXPECT_FALSE(t.shell.sent[0].unicode);
    t.record.ShowBalloonTip("Hello", "Corvane", 1, 2000);
    EXPECT_EQ(t.shell.sent.size(), 1u);
}

TEST(TrayIconRecord, IconChangesOnlyWhenDifferentAndIdStaysFromLoad) {
    Tray t(kGetVersion7);
    t.Load();
    const std::size_t before = t.shell.sent.size();
    t.record.SetIconHandle(0x00020077);
    EXPECT_EQ(t.shell.sent.size(), before);
    t.record.SetIconHandle(0x00030099);
    ASSERT_EQ(t.shell.sent.size(), before + 1);
    EXPECT_EQ(t.shell.sent.back().U32(12), 2u);
    EXPECT_EQ(t.shell.sent.back().U32(20), 0x00030099u);
    EXPECT_EQ(t.shell.sent.back().U32(8), 0x00020077u);
    EXPECT_EQ(t.record.IconHandle(), 0x00030099u);
}

TEST(TrayIconRecord, RestoreAfterShellRestartKeepsTipAndPicture) {
    Tray t(kGetVersion7);
    t.Load();
    t.record.SetIconHandle(0x00030099);
    t.record.SetToolTip("Charge: 57%");
    t.record.ShowBalloonTip("Double Click", "Corvane", 1, 2);
    t.shell.sent.clear();
    t.record.Restore();
    ASSERT_EQ(t.shell.sent.size(), 2u);
    const Sent& add = t.shell.sent[0];
    EXPECT_EQ(add.message, kNimAdd);
    EXPECT_EQ(add.U32(12), 7u); // no NIF_INFO: the old balloon is not shown again
    EXPECT_EQ(add.U32(20), 0x00030099u);
    EXPECT_EQ(add.Wide(24, 256), "Charge: 57%");
    EXPECT_EQ(t.shell.sent[1].message, kNimSetVersion);
    EXPECT_EQ(t.shell.sent[1].U32(800), 3u);
}

TEST(TrayIconRecord, SixtyFourBitHandlesUseThePlatformLayout) {
    Tray t(kGetVersion7, 8);
    t.record.Load(0x1234567890ULL, 0x00020077, "Corvane");
    const Sent& add = t.shell.sent[0];
    EXPECT_EQ(add.record.size(), 952u);
    EXPECT_EQ(add.U32(0), 952u);
    EXPECT_EQ(add.U32(8), 0x34567890u);
    EXPECT_EQ(add.U32(12), 0x12u);
    EXPECT_EQ(add.U32(16), 0x00020077u);
    EXPECT_EQ(add.U32(20), 7u);
    EXPECT_EQ(add.U32(24), 512u);
    EXPECT_EQ(add.U32(32), 0x00020077u);
    EXPECT_EQ(add.Wide(40, 256), "Corvane");
    EXPECT_EQ(add.U32(816), 3u);
}

TEST(TrayNotification, CodesRaiseTheEventsOfTheTable) {
    using K = TrayEventKind;
    EXPECT_EQ(DecodeNotification(512), (TrayEvent{K::MouseMove}));
    EXPECT_EQ(DecodeNotification(513), std::nullopt);
    EXPECT_EQ(DecodeNotification(514), (TrayEvent{K::MouseDown, 1}));
    EXPECT_EQ(DecodeNotification(515), (TrayEvent{K::DoubleClick, 1}));
    EXPECT_EQ(DecodeNotification(516), (TrayEvent{K::MouseDown, 2}));
    EXPECT_EQ(DecodeNotification(517), (TrayEvent{K::MouseUp, 2}));
    EXPECT_EQ(DecodeNotification(518), (TrayEvent{K::DoubleClick, 2}));
    EXPECT_EQ(DecodeNotification(519), std::nullopt);
    EXPECT_EQ(DecodeNotification(1024), (TrayEvent{K::KeySelect}));
    EXPECT_EQ(DecodeNotification(1025), (TrayEvent{K::KeySelect}));
    EXPECT_EQ(DecodeNotification(1026), (TrayEvent{K::BalloonShow}));
    EXPECT_EQ(DecodeNotification(1027), (TrayEvent{K::BalloonHide}));
    EXPECT_EQ(DecodeNotification(1028), (TrayEvent{K::BalloonTimeOut}));
    EXPECT_EQ(DecodeNotification(1029), (TrayEvent{K::BalloonClicked}));
    EXPECT_EQ(DecodeNotification(0x7B), (TrayEvent{K::ContextMenu}));
    EXPECT_EQ(DecodeNotification(0x7A), std::nullopt);
}

// The shell's echoes of mouse actions in keyboard terms are dropped; the keyboard's own pass.
TEST(TrayNotification, KeyboardEchoesOfTheMouseAreDropped) {
    constexpr std::int32_t kSelect = 0x400, kKeySelect = 0x401, kContextMenu = 0x7B;
    struct Step {
        std::int32_t code;
        std::uint32_t atMs;
        bool passes;
    };
    const std::vector<std::vector<Step>> cases = {
        {{kKeySelect, 1000, true}},                                  // Space
        {{kKeySelect, 1000, true}, {kKeySelect, 1010, false}},       // Enter sends it twice
        {{kKeySelect, 1000, true}, {kKeySelect, 1600, true}},        // pressed again later
        {{kSelect, 1000, true}},                                     // NIN_SELECT from the keyboard
        {{0x201, 1000, true}, {0x202, 1100, true}, {kSelect, 1110, false}}, // a left click's echo
        {{0x202, 1000, true}, {kSelect, 1700, true}},
        {{0x203, 1000, true}, {0x202, 1050, true}, {kSelect, 1060, false}}, // double-click
        {{kContextMenu, 1000, true}},                                // Shift+F10, menu key
        {{0x204, 1000, true}, {0x205, 1200, true}, {kContextMenu, 1210, false}}, // right click's echo
        {{0x205, 1000, true}, {kContextMenu, 1600, true}},
        {{0x205, 0xFFFFFF00u, true}, {kContextMenu, 0x40, false}},   // across the clock's wrap
        {{kKeySelect, 1000, true}, {0x402, 1001, true}},             // other codes always pass
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        KeyboardEchoFilter filter(500);
        for (const Step& s : cases[i]) {
            EXPECT_EQ(filter.Pass(s.code, s.atMs), s.passes) << "case " << i << " code " << s.code;
        }
    }
}

} // namespace
} // namespace corvane::tray
