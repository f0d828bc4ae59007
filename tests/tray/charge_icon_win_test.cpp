#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <set>
#include <vector>

#include "support/object_count_win.h"
#include "support/registry_sandbox_win.h"
#include "tray/charge_icon_win.h"

namespace corvane::tray {
namespace {

struct Pixels {
    int side = 0;
    std::vector<std::uint32_t> argb;
};

// The icon's colour image as it is stored, alpha included.
Pixels Read(HICON icon) {
    Pixels p;
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return p;
    }
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP bm{};
    ::GetObjectA(colour.get(), sizeof bm, &bm);
    p.side = bm.bmWidth;
    p.argb.resize(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    ::GetDIBits(screen.get(), colour.get(), 0, static_cast<UINT>(bm.bmHeight), p.argb.data(), &bi, DIB_RGB_COLORS);
    return p;
}

// The mean brightness of the fully opaque pixels; -1 when there are none.
int OpaqueBrightness(const Pixels& p) {
    long sum = 0;
    int n = 0;
    for (const std::uint32_t px : p.argb) {
        if ((px >> 24) == 255) {
            sum += ((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF);
            n += 3;
        }
    }
    return n ? static_cast<int>(sum / n) : -1;
}

void SetTaskbarTheme(DWORD light) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kPersonalizeKey, kTaskbarThemeValue, REG_DWORD, &light, sizeof light);
}

TEST(ChargeIconWin, DrawnAtTheSmallIconSizeWithAlphaAndTheDigitsApart) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const int side = TrayIconSize(dpi);
        EXPECT_EQ(side, dpi == 96 ? 16 : 24);
        UniqueIcon a = DrawChargeIcon(*ChooseFace(57, false, 10, false, side));
        UniqueIcon b = DrawChargeIcon(*ChooseFace(23, false, 10, false, side));
        ASSERT_TRUE(a && b);
        const Pixels pa = Read(a.get());
        const Pixels pb = Read(b.get());
        ASSERT_EQ(pa.side, side) << "drawn at its size, not scaled";
        int differ = 0, opaque = 0, clear = 0;
        for (std::size_t i = 0; i < pa.argb.size(); ++i) {
            differ += pa.argb[i] != pb.argb[i];
            opaque += (pa.argb[i] >> 24) == 255;
            clear += (pa.argb[i] >> 24) == 0;
        }
        // Two digits in a bold face cover a fair share of the square; the rest shows the taskbar.
        EXPECT_GT(differ, side * side / 10);
        EXPECT_GT(opaque, side * side / 8);
        EXPECT_GT(clear, side * side / 3);
    }
}

TEST(ChargeIconWin, DigitColourFollowsTheTaskbarThemeAndOnlyChangesAreSent) {
    test::CurrentUserSandbox sandbox;
    HICON program = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    std::vector<HICON> shown;
    ChargeIcon icon([&](HICON h) { shown.push_back(h); }, program);
    EXPECT_FALSE(icon.LightTaskbar()) << "no value: a dark taskbar";

    ASSERT_NE(icon.Update(57, false, 10, 96), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_GT(OpaqueBrightness(Read(shown.back())), 200) << "light digits on a dark taskbar";
    icon.Update(57, false, 20, 96);
    EXPECT_EQ(shown.size(), 1u) << "an unchanged face sends nothing";

    SetTaskbarTheme(1);
    icon.ThemeChanged();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_LT(OpaqueBrightness(Read(shown.back())), 60) << "dark digits on a light taskbar";
    SetTaskbarTheme(0);
    icon.ThemeChanged();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_GT(OpaqueBrightness(Read(shown.back())), 200);

    EXPECT_EQ(icon.Update(255, false, 10, 96), nullptr);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown.back(), program) << "an unknown charge shows the program's icon";
    icon.Update(57, true, 10, 144);
    EXPECT_EQ(Read(shown.back()).side, 24);
    icon.Off();
    EXPECT_EQ(shown.back(), program) << "unticking puts the program's icon back";
    EXPECT_EQ(icon.Current(), nullptr);

    const char area[] = "ImmersiveColorSet";
    EXPECT_TRUE(IsThemeChange(reinterpret_cast<LPARAM>(area)));
    EXPECT_FALSE(IsThemeChange(reinterpret_cast<LPARAM>("Policy")));
    EXPECT_FALSE(IsThemeChange(0));
}

TEST(ChargeIconWin, AThousandChangesLeaveNoIconOrGdiObjectBehind) {
    HICON program = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    std::set<HICON> drawn;
    HICON inTray = program;
    {
        ChargeIcon icon([&](HICON h) { inTray = h; }, program);
        icon.Update(50, false, 10, 96); // the first drawing may create lasting objects (fonts cache)
        const int before = test::CountGdiObjects();
        for (int i = 0; i < 1000; ++i) {
            const int percent = i % 7 == 6 ? 255 : i % 101;
            const HICON h = icon.Update(percent, i % 3 == 0, 10, i % 250 == 0 ? 144 : 96);
            EXPECT_EQ(h ? h : program, inTray);
            if (h) {
                drawn.insert(h);
            }
        }
        icon.Update(50, false, 10, 96);
        EXPECT_EQ(test::CountGdiObjects(), before);
        icon.Off();
    }
    EXPECT_EQ(inTray, program);
    ICONINFO info{};
    int alive = 0;
    for (HICON h : drawn) {
        if (::GetIconInfo(h, &info)) {
            ++alive;
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
        }
    }
    EXPECT_EQ(alive, 0) << "every drawn icon was destroyed";
}

} // namespace
} // namespace corvane::tray
