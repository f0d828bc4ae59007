#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tray/charge_icon.h"

namespace corvane::tray {
namespace {

enum class Ink { None, Dark, Light, WarnOnLight, WarnOnDark };

Ink InkOf(const ChargeFace& f) {
    if (f.ink == Rgb{0x10, 0x10, 0x10}) return Ink::Dark;
    if (f.ink == Rgb{0xFF, 0xFF, 0xFF}) return Ink::Light;
    if (f.ink == Rgb{0xC4, 0x1E, 0x1E}) return Ink::WarnOnLight;
    if (f.ink == Rgb{0xFF, 0x5A, 0x4A}) return Ink::WarnOnDark;
    return Ink::None;
}

TEST(ChargeFace, DigitsAndColoursFollowTheReadingAndTheTaskbar) {
    struct Row {
        int percent;
        bool ac;
        int critical;
        bool light;
        const char* digits; // nullptr: no face, the program's icon
        bool full;
        Ink ink;
    };
    const Row rows[] = {
        {57, false, 10, false, "57", false, Ink::Light},
        {57, false, 10, true, "57", false, Ink::Dark},
        {11, false, 10, true, "11", false, Ink::Dark},
        {10, false, 10, true, "10", false, Ink::WarnOnLight}, // at the level warns
        {9, true, 10, false, "9", false, Ink::WarnOnDark},
        {0, false, 0, false, "0", false, Ink::WarnOnDark},
        {99, true, 10, false, "99", false, Ink::Light},
        {100, true, 10, true, "", true, Ink::Dark},
        {100, false, 100, false, "", true, Ink::WarnOnDark},
        {255, true, 10, false, nullptr, false, Ink::None},
        {101, false, 10, false, nullptr, false, Ink::None},
        {-1, false, 10, false, nullptr, false, Ink::None},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.percent);
        const auto face = ChooseFace(r.percent, r.ac, r.critical, r.light, 16);
        ASSERT_EQ(face.has_value(), r.digits != nullptr);
        if (!face) continue;
        EXPECT_EQ(face->digits, r.digits);
        EXPECT_EQ(face->fullBattery, r.full);
        EXPECT_EQ(face->ac, r.ac);
        EXPECT_EQ(InkOf(*face), r.ink);
        EXPECT_EQ(face->mark == Rgb{}, !r.ac);
        EXPECT_EQ(face->size, 16);
    }
}

TEST(ChargeFace, EqualExactlyWhenTheIconWouldLookTheSame) {
    const auto base = ChooseFace(57, false, 10, false, 16);
    EXPECT_EQ(base, ChooseFace(57, false, 10, false, 16));
    EXPECT_EQ(base, ChooseFace(57, false, 20, false, 16)) << "a critical level that is not crossed";
    EXPECT_NE(base, ChooseFace(58, false, 10, false, 16));
    EXPECT_NE(base, ChooseFace(57, true, 10, false, 16));
    EXPECT_NE(base, ChooseFace(57, false, 57, false, 16));
    EXPECT_NE(base, ChooseFace(57, false, 10, true, 16));
    EXPECT_NE(base, ChooseFace(57, false, 10, false, 24));
}

TEST(ChargeFace, AcMarkTakesTheBottomRowsAndLeavesAGap) {
    struct Row {
        int size;
        Rect mark;
        int contentHeight;
    };
    for (const Row& r : {Row{16, RectOfSize(0, 14, 16, 2), 13}, Row{24, RectOfSize(0, 21, 24, 3), 20}, Row{32, RectOfSize(0, 28, 32, 4), 27}}) {
        ChargeFace face = *ChooseFace(50, true, 10, false, r.size);
        EXPECT_EQ(AcMark(face), r.mark);
        EXPECT_EQ(ContentArea(face), (RectOfSize(0, 0, r.size, r.contentHeight)));
        face.ac = false;
        EXPECT_EQ(AcMark(face).Width(), 0);
        EXPECT_EQ(ContentArea(face), (RectOfSize(0, 0, r.size, r.size)));
    }
}

TEST(ChargeFace, FitTextTakesTheLargestHeightWhoseInkFitsAndCentresIt) {
    // Ink as wide as the height, starting one pixel right of the origin and a quarter down.
    const auto measure = [](int h) { return RectOfSize(1, h / 4, h, h); };
    const TextPlacement p = FitText(RectOfSize(0, 0, 16, 13), 32, measure);
    EXPECT_EQ(p.fontHeight, 13);
    EXPECT_EQ(p.x, (16 - 13) / 2 - 1);
    EXPECT_EQ(p.y, -13 / 4);
    // Hinting can make a larger height narrower: the first fit from the top wins.
    const auto bumpy = [](int h) { return RectOfSize(0, 0, h == 12 ? 99 : h, h); };
    EXPECT_EQ(FitText(RectOfSize(2, 3, 12, 12), 20, bumpy).fontHeight, 11);
    EXPECT_EQ(FitText(RectOfSize(2, 3, 12, 12), 20, bumpy).x, 2 + (12 - 11) / 2);
    EXPECT_EQ(FitText(RectOfSize(0, 0, 4, 4), 20, [](int) { return RectOfSize(0, 0, 9, 9); }).fontHeight, 0);
}

TEST(ChargeFace, BatteryPictureStaysInsideItsAreaWithTheFillInsideTheOutline) {
    for (const int size : {16, 20, 24, 32, 48}) {
        SCOPED_TRACE(size);
        const Rect area = RectOfSize(0, 0, size, size - 3);
        const BatteryPicture b = BatteryIn(area);
        EXPECT_GE(b.body.top, area.top);
        EXPECT_LE(b.body.bottom, area.bottom);
        EXPECT_EQ(b.terminal.left, b.body.right);
        EXPECT_EQ(b.terminal.right, area.right);
        EXPECT_GT(b.body.Width(), b.body.Height()) << "lying down, like the system's battery";
        EXPECT_GE(b.fill.left, b.body.left + b.line + 1);
        EXPECT_LE(b.fill.right, b.body.right - b.line - 1);
        EXPECT_GE(b.fill.top, b.body.top + b.line + 1);
        EXPECT_LE(b.fill.bottom, b.body.bottom - b.line - 1);
        EXPECT_GT(b.fill.Width(), 0);
        EXPECT_GT(b.fill.Height(), 0);
    }
}

} // namespace
} // namespace corvane::tray
