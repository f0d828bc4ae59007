#include <gtest/gtest.h>

#include "about/about_layout.h"

namespace corvane::about {
namespace {

TEST(AboutLayout, TwipsBecomePixelsAtTheWindowsDpi) {
    struct Case {
        Rect twips;
        int dpi;
        Rect pixels;
    } cases[] = {
        {kPicture1, 96, {0, 0, 369, 81}},      {kPicture1, 144, {0, 0, 554, 122}},
        {kLabel1, 96, {8, 88, 153, 105}},      {kLblVersion, 96, {168, 88, 337, 105}},
        {kLabel3, 96, {8, 112, 345, 129}},     {kCmdOk, 96, {248, 144, 356, 167}},
        {kLabel1, 144, {12, 132, 230, 158}},   {kCmdOk, 144, {372, 216, 534, 251}},
        {kLblVersion, 120, {210, 110, 421, 131}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToPixels(c.twips, c.dpi), c.pixels) << c.twips.left << "," << c.twips.top << " at " << c.dpi;
    }
    // The client area holds every control at both densities, the button inside its bottom right.
    for (int dpi : {96, 144}) {
        EXPECT_LE(ToPixels(kCmdOk, dpi).right, TwipsToPixels(kClientWidthTwips, dpi));
        EXPECT_LE(ToPixels(kCmdOk, dpi).bottom, TwipsToPixels(kClientHeightTwips, dpi));
        EXPECT_LT(ToPixels(kLabel3, dpi).bottom, TwipsToPixels(kLine1Y, dpi));
        EXPECT_GT(ToPixels(kCmdOk, dpi).top, TwipsToPixels(kLine1Y, dpi));
    }
    EXPECT_EQ(FontHeight(kFontHundredthsOfPoint, 96), -11);
    EXPECT_EQ(FontHeight(kFontHundredthsOfPoint, 144), -17);
}

TEST(AboutLayout, VersionInPlainDecimal) {
    EXPECT_EQ(VersionText(1, 3, 3), "Version 1.3.3");
    EXPECT_EQ(VersionText(1, 3, 12), "Version 1.3.12");
    EXPECT_EQ(VersionText(10, 0, 65535), "Version 10.0.65535");
    EXPECT_EQ(MoreDetailsText(), "For more details, visit : " + std::string(kProductWebPage));
}

} // namespace
} // namespace corvane::about
