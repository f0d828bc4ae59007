#include <gtest/gtest.h>

#include "app/main_layout.h"

namespace corvane::app {
namespace {

TEST(MainLayout, DesignedPlacesScaleWithTheDpiBelowTheBanner) {
    const struct {
        Rect design;
        int dpi;
        Rect placed;
    } cases[] = {
        {RectOfSize(30, 82, 360, 18), 96, RectOfSize(30, 162, 360, 18)},    // pgBatteryLevel as designed
        {RectOfSize(30, 82, 360, 18), 120, RectOfSize(38, 203, 450, 23)},   // halves round up: 37.5, 202.5, 22.5
        {RectOfSize(30, 82, 360, 18), 192, RectOfSize(60, 324, 720, 36)},
        {RectOfSize(0, -kBannerHeight, kClientWidth, kBannerHeight), 144, RectOfSize(0, 0, 630, 120)}, // the banner
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(Place(c.design, c.dpi), c.placed);
    }
    EXPECT_EQ(ScaleDesign(-80, 120), -100);
    EXPECT_EQ(ScaleDesign(-3, 144), -5) << "a half below zero rounds away from it, as MulDiv does";
}

TEST(MainLayout, CriticalLevelBoxSitsInTheCaptionsGapWithThePercentAfterIt) {
    const struct {
        const char* what;
        Rect check;
        ChargeLowMeasures measured;
        int dpi;
        ChargeLowRow row;
    } cases[] = {
        {"96 dpi, a gap narrower than the box's least width", RectOfSize(30, 270, 360, 18), {13, 170, 16, 12, 13}, 96,
         {RectOfSize(30, 270, 189, 18), RectOfSize(219, 269, 28, 20), RectOfSize(250, 272, 14, 13)}},
        {"192 dpi, a wide font's gap", RectOfSize(60, 540, 720, 36), {26, 400, 70, 25, 30}, 192,
         {RectOfSize(60, 540, 438, 36), RectOfSize(498, 538, 70, 40), RectOfSize(574, 543, 29, 30)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ChargeLowRow row = LayoutChargeLow(c.check, c.measured, c.dpi);
        EXPECT_EQ(row.check, c.row.check);
        EXPECT_EQ(row.box, c.row.box);
        EXPECT_EQ(row.percent, c.row.percent);
        // The caption's words end where the box begins, and the "%." never hides behind it.
        EXPECT_EQ(row.check.right, row.box.left);
        EXPECT_GT(row.percent.left, row.box.right);
    }
}

} // namespace
} // namespace corvane::app
