#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "about/pixel_runs.h"

namespace corvane::about {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A 2 x 2 picture in rows of 8 bytes: the 2 padding bytes of each row keep their 0xEE.
TEST(PixelRuns, UnpacksRepeatsAndLiteralsIntoPaddedRows) {
    const Bytes packed = {128, 1, 2, 3,               // one pixel, twice: the whole first row
                          1,   4, 5, 6, 7, 8, 9};     // two pixels as they are
    Bytes out(16, 0xEE);
    ASSERT_TRUE(UnpackPixelRuns(packed, 2, 2, 8, out));
    EXPECT_EQ(out, (Bytes{1, 2, 3, 1, 2, 3, 0xEE, 0xEE, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE}));

    // The longest repeat (255: 129 copies) and the longest literal (127: 128 pixels).
    Bytes longest = {255, 7, 7, 7, 127};
    for (int i = 0; i < 128; ++i) {
        longest.insert(longest.end(), {1, 2, 3});
    }
    Bytes wide(257 * 3);
    ASSERT_TRUE(UnpackPixelRuns(longest, 257, 1, 257 * 3, wide));
    EXPECT_EQ(wide[128 * 3], 7);
    EXPECT_EQ(wide[129 * 3], 1);
    EXPECT_EQ(wide.back(), 3);
}

TEST(PixelRuns, RefusesStreamsThatDoNotFillThePictureExactly) {
    const struct {
        const char* what;
        Bytes packed;
    } cases[] = {
        {"ends inside a literal", {3, 1, 2, 3, 4, 5, 6}},
        {"ends inside a repeat's pixel", {129, 1, 2}},
        {"one pixel short", {129, 1, 2, 3}},
        {"one pixel over", {131, 1, 2, 3}},
        {"a literal past the end", {128, 1, 2, 3, 2, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"nothing", {}},
    };
    for (const auto& c : cases) {
        Bytes out(16);
        EXPECT_FALSE(UnpackPixelRuns(c.packed, 2, 2, 8, out)) << c.what;
    }
    Bytes small(15);
    EXPECT_FALSE(UnpackPixelRuns(Bytes{130, 1, 2, 3}, 2, 2, 8, small)) << "output smaller than the rows";
}

} // namespace
} // namespace corvane::about
