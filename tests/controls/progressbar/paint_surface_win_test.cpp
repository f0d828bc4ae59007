#include <gtest/gtest.h>

#include <memory>

#include "controls/progressbar/bar_art_win.h"
#include "controls/progressbar/bar_pixels_win.h"
#include "controls/progressbar/paint_steps.h"
#include "controls/progressbar/paint_surface_win.h"

namespace corvane::progressbar {
namespace {

using pixels::Brightness;
using pixels::ColourDistance;
using pixels::kWhite;
using pixels::PictureColour;

constexpr int kMasterLook = 0;
constexpr int kBlueMetLook = 2;
constexpr int kRedLook = 7;

class BarSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        art_ = LoadBarArt();
        ASSERT_TRUE(art_);
        surface_ = std::make_unique<BarSurface>(art_);
        ASSERT_TRUE(surface_->Resize(100, 14));
        painter_.PaintFrame(*surface_, values_);
    }

    void Refresh(int value) {
        painter_.Reset(*surface_, values_);
        values_.value = value;
        painter_.PaintValue(*surface_, values_, style_);
    }
    void Write(int value) {
        values_.value = value;
        painter_.PaintValue(*surface_, values_, style_);
    }

    // The middle of a look's piece, where it is darkest.
    COLORREF PieceMiddle(int look, int piece) const {
        return PictureColour(art_->pieces[static_cast<std::size_t>(look)][static_cast<std::size_t>(piece)].get(), 3,
                             5);
    }
    COLORREF Frame(int x, int y) const { return PictureColour(art_->frame.get(), x, y); }
    COLORREF At(int x, int y) const { return surface_->PixelAt(x, y); }
    bool Shows(int x, int y, COLORREF expected) const { return ColourDistance(At(x, y), expected) <= 24; }

    // Block edges along the middle row: the block covers [x, x + 8) with white on both sides.
    void ExpectBlockAt(int x, int look) const {
        SCOPED_TRACE(testing::Message() << "block at " << x << ", look " << look);
        EXPECT_EQ(At(x - 1, 7), kWhite);
        EXPECT_NE(At(x, 7), kWhite);
        EXPECT_NE(At(x + 7, 7), kWhite);
        EXPECT_EQ(At(x + 8, 7), kWhite);
        EXPECT_TRUE(Shows(x + 3, 7, PieceMiddle(look, 2)));
        EXPECT_TRUE(Shows(x + 3, 3, PictureColour(art_->pieces[static_cast<std::size_t>(look)][2].get(), 3, 0)));
    }

    std::shared_ptr<const BarArt> art_;
    std::unique_ptr<BarSurface> surface_;
    BarPainter painter_;
    BarValues values_;
    std::int32_t style_ = 0;
};

TEST_F(BarSurfaceTest, PicturesHaveTheirSizesAndColours) {
    BITMAP bm{};
    ASSERT_NE(::GetObjectA(art_->frame.get(), sizeof(bm), &bm), 0);
    EXPECT_EQ(bm.bmWidth, 59);
    EXPECT_EQ(bm.bmHeight, 13);
    EXPECT_EQ(PictureColour(art_->frame.get(), 29, 6), kWhite);
    EXPECT_EQ(surface_->SizeOf(Picture::Blank).width, 8);
    EXPECT_EQ(PictureColour(art_->blank.get(), 4, 5), kWhite);
    for (int look = 0; look < kLookCount; ++look) {
        for (int i = 0; i < kPiecesPerLook; ++i) {
            HBITMAP piece = art_->pieces[static_cast<std::size_t>(look)][static_cast<std::size_t>(i)].get();
            ASSERT_NE(::GetObjectA(piece, sizeof(bm), &bm), 0);
            EXPECT_EQ(bm.bmWidth, 8);
            EXPECT_EQ(bm.bmHeight, 10);
            // Lighter at the top, bottom and side edges than in the middle.
            const int middle = Brightness(PictureColour(piece, 3, 5));
            EXPECT_GT(Brightness(PictureColour(piece, 3, 0)), middle) << look << "/" << i;
            EXPECT_GT(Brightness(PictureColour(piece, 3, 9)), middle) << look << "/" << i;
            EXPECT_GT(Brightness(PictureColour(piece, 0, 5)), middle) << look << "/" << i;
        }
        // The sweep's trailing pieces are paler than the leading one.
        EXPECT_GT(Brightness(PieceMiddle(look, 0)), Brightness(PieceMiddle(look, 1)));
        EXPECT_GT(Brightness(PieceMiddle(look, 1)), Brightness(PieceMiddle(look, 2)));
    }
    auto rgb = [this](int look) {
        const COLORREF c = PieceMiddle(look, 2);
        return std::array<int, 3>{GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    auto [mr, mg, mb] = rgb(0);  // bright green
    EXPECT_TRUE(mg > 150 && mg > mr + 80 && mg > mb + 80);
    auto [br, bg, bb] = rgb(1);  // bright blue
    EXPECT_TRUE(bb > 200 && bb > br + 100 && bb > bg + 60);
    auto [dr, dg, db] = rgb(2);  // dark blue
    EXPECT_TRUE(db < 170 && db > dr + 60 && db > dg + 60);
    auto [gr, gg, gb] = rgb(3);  // gold
    EXPECT_TRUE(gr > gg && gg > gb + 80 && gr > 180);
    auto [pr, pg, pb] = rgb(4);  // pale green
    EXPECT_TRUE(pg > pr + 40 && pg > pb + 40 && pr > 100);
    auto [yr, yg, yb] = rgb(5);  // grey
    EXPECT_TRUE(yr == yg && yg == yb && yr > 80 && yr < 180);
    auto [or_, og, ob] = rgb(6);  // orange
    EXPECT_TRUE(or_ > 220 && og > 100 && og < 170 && ob < 60);
    auto [rr, rg, rb] = rgb(7);  // orange-red
    EXPECT_TRUE(rr > 200 && rg < 100 && rg > rb);
}

TEST_F(BarSurfaceTest, EmptyBarIsTheFrameStretched) {
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 13}, {99, 13}}) {
        EXPECT_EQ(At(x, y), Frame(0, 0)) << x << "," << y;
    }
    EXPECT_EQ(At(1, 1), Frame(1, 1));
    EXPECT_EQ(At(2, 2), Frame(2, 2));
    EXPECT_EQ(At(97, 11), Frame(56, 10));
    EXPECT_EQ(At(50, 0), Frame(10, 0));
    EXPECT_EQ(At(99, 7), Frame(58, 6));
    EXPECT_EQ(At(3, 3), kWhite);
    EXPECT_EQ(At(96, 9), kWhite);
    EXPECT_NE(Frame(0, 0), kWhite);
}

TEST_F(BarSurfaceTest, HalfBarInTwoLooks) {
    for (int look : {kMasterLook, kRedLook}) {
        surface_->ApplyLook(look);
        Refresh(50);
        for (int x = 4; x <= 44; x += 10) {
            ExpectBlockAt(x, look);
        }
        EXPECT_EQ(At(57, 7), kWhite);
        EXPECT_EQ(At(95, 7), kWhite);
        EXPECT_EQ(At(0, 0), Frame(0, 0));
    }
}

TEST_F(BarSurfaceTest, FullBarEndsWithASqueezedBlock) {
    surface_->ApplyLook(kBlueMetLook);
    Refresh(100);
    for (int x = 4; x <= 84; x += 10) {
        ExpectBlockAt(x, kBlueMetLook);
    }
    EXPECT_EQ(At(92, 7), kWhite);
    EXPECT_EQ(At(93, 7), kWhite);
    for (int x = 94; x <= 96; ++x) {
        EXPECT_NE(At(x, 7), kWhite) << x;
        EXPECT_EQ(ColourDistance(At(x, 7), Frame(56, 6)) > 40, true) << x;
    }
    // The bar ends at the inner edge of the right border, which is untouched.
    EXPECT_EQ(At(97, 7), Frame(56, 6));
    EXPECT_EQ(At(99, 13), Frame(58, 12));

    Refresh(4);
    EXPECT_EQ(At(7, 7), kWhite);  // a whole repaint: nothing of the full bar is left
    EXPECT_EQ(At(95, 7), kWhite);
}

TEST_F(BarSurfaceTest, LookChangeShowsAtTheNextRefresh) {
    Refresh(30);
    ASSERT_TRUE(Shows(7, 7, PieceMiddle(kMasterLook, 2)));
    surface_->ApplyLook(kRedLook);
    EXPECT_TRUE(Shows(7, 7, PieceMiddle(kMasterLook, 2)));  // not repainted by itself
    Refresh(30);
    EXPECT_TRUE(Shows(7, 7, PieceMiddle(kRedLook, 2)));
    EXPECT_TRUE(Shows(27, 7, PieceMiddle(kRedLook, 2)));
    surface_->ApplyLook(9);
    EXPECT_EQ(surface_->Look(), kRedLook);
}

TEST_F(BarSurfaceTest, RefreshPaintsOnlyWhenThePixelsChangeAndEndsAsAFullRepaintWould) {
    struct Step {
        int value, look;
        bool changes;
    };
    const Step steps[] = {
        {57, kMasterLook, true}, {57, kMasterLook, false}, {56, kMasterLook, false}, // same blocks
        {40, kMasterLook, true},                                                    // fewer blocks
        {40, kMasterLook, false}, {100, kMasterLook, true}, {100, kRedLook, true},   // new look
        {100, kRedLook, false},   {0, kRedLook, true},      {0, kRedLook, false},
    };
    surface_->Flush();
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "value " << step.value << ", look " << step.look);
        surface_->ApplyLook(step.look);
        Refresh(step.value);
        EXPECT_EQ(surface_->Flush(), step.changes);

        BarSurface fresh(art_);
        ASSERT_TRUE(fresh.Resize(100, 14));
        fresh.ApplyLook(step.look);
        BarPainter painter;
        BarValues values = values_;
        painter.PaintFrame(fresh, values);
        painter.PaintValue(fresh, values, style_);
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < 100; ++x) {
                ASSERT_EQ(At(x, y), fresh.PixelAt(x, y)) << x << ", " << y;
            }
        }
    }
}

TEST_F(BarSurfaceTest, SweepGroupAndItsErasedTrail) {
    style_ = 1;
    for (int look : {kMasterLook, kBlueMetLook}) {
        surface_->ApplyLook(look);
        painter_.PaintFrame(*surface_, values_);
        Write(10);  // group at 4
        Write(20);  // at 9
        Write(30);  // at 14
        EXPECT_EQ(painter_.State().sweepX, 19);
        EXPECT_EQ(At(6, 7), kWhite);
        EXPECT_EQ(At(11, 7), kWhite);
        EXPECT_TRUE(Shows(15, 7, PieceMiddle(look, 0))) << look;
        EXPECT_TRUE(Shows(20, 7, PieceMiddle(look, 1))) << look;
        EXPECT_TRUE(Shows(25, 7, PieceMiddle(look, 2))) << look;
        EXPECT_EQ(At(18, 7), kWhite);
        EXPECT_EQ(At(28, 7), kWhite);
        // Half-width pieces: 4 pixels each.
        EXPECT_NE(At(24, 7), kWhite);
        EXPECT_NE(At(27, 7), kWhite);

        Write(100);  // the maximum clears the bar
        EXPECT_EQ(At(25, 7), kWhite);
        EXPECT_EQ(painter_.State().sweepX, 4);
    }
}

TEST_F(BarSurfaceTest, ResizeGivesAFreshFrameOfTheNewSize) {
    Refresh(60);
    ASSERT_TRUE(surface_->Resize(150, 20));
    painter_.PaintFrame(*surface_, values_);
    EXPECT_EQ(At(7, 10), kWhite);
    EXPECT_EQ(At(149, 19), Frame(58, 12));
    EXPECT_EQ(At(149, 0), Frame(58, 0));
    EXPECT_EQ(surface_->PixelAt(150, 0), CLR_INVALID);
    Refresh(100);
    ExpectBlockAt(134, kMasterLook);
    for (int x = 144; x <= 146; ++x) {
        EXPECT_NE(At(x, 10), kWhite) << x;
    }
    EXPECT_EQ(At(147, 10), Frame(56, 6));
    // Blocks fill the inner height: rows 3 to 16.
    EXPECT_NE(At(7, 16), kWhite);
    EXPECT_EQ(At(7, 17), Frame(3, 10));
}

TEST_F(BarSurfaceTest, EmptyRangeShowsTheFrameOnly) {
    Refresh(60);
    values_ = {20, 20, 20};
    Refresh(20);
    EXPECT_EQ(At(7, 7), kWhite);
    EXPECT_EQ(At(0, 0), Frame(0, 0));
}

} // namespace
} // namespace corvane::progressbar
