#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "controls/progressbar/paint_looks.h"
#include "controls/progressbar/paint_steps.h"

namespace corvane::progressbar {
namespace {

struct Op {
    bool clear = false;
    Picture picture = Picture::Frame;
    PaintRect dest;
    PaintRect source;
    int look = 0;  // the look whose pieces were current when a piece was painted
};

// Records what the painting asks for, on a surface of a given size.
class RecordingTarget final : public PaintTarget {
public:
    RecordingTarget(double w, double h) : w_(w), h_(h) {}

    double Width() const override { return w_; }
    double Height() const override { return h_; }
    PictureSize SizeOf(Picture p) const override {
        if (p == Picture::Frame) {
            return {59, 13};
        }
        if (p == Picture::Blank) {
            return {8, 10};
        }
        return piece;
    }
    void Clear() override { ops.push_back(Op{true, Picture::Frame, {}, {}, look}); }
    void Paint(Picture p, const PaintRect& dest, const PaintRect& source) override {
        ops.push_back(Op{false, p, dest, source, look});
    }

    // The operations since the last Clear (the bar as it now stands, if a frame came first).
    std::vector<Op> SinceLastClear() const {
        std::size_t start = 0;
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].clear) {
                start = i + 1;
            }
        }
        return {ops.begin() + static_cast<std::ptrdiff_t>(start), ops.end()};
    }
    std::vector<PaintRect> Blocks() const {
        std::vector<PaintRect> out;
        for (const Op& op : SinceLastClear()) {
            if (op.picture == Picture::Piece2) {
                out.push_back(op.dest);
            }
        }
        return out;
    }
    bool Cleared() const {
        for (const Op& op : ops) {
            if (op.clear) {
                return true;
            }
        }
        return false;
    }

    std::vector<Op> ops;
    PictureSize piece{8, 10};
    int look = 0;

private:
    double w_;
    double h_;
};

std::vector<PaintRect> FullBlocksUpTo(int lastX) {
    std::vector<PaintRect> out;
    for (int x = 4; x <= lastX; x += 10) {
        out.push_back({static_cast<double>(x), 3, 8, 8});
    }
    return out;
}

// The host's refresh: Reset with the old value, then the value write.
void Refresh(BarPainter& painter, RecordingTarget& target, BarValues& values, int newValue) {
    painter.Reset(target, values);
    values.value = newValue;
    target.ops.clear();
    painter.PaintBlocks(target, values);
}

TEST(BarFrame, NineSliceTableOnA100x14Surface) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    painter.PaintFrame(target, {});
    ASSERT_EQ(target.ops.size(), 10u);
    EXPECT_TRUE(target.ops[0].clear);
    const PaintRect dest[9] = {{0, 0, 3, 3},  {97, 0, 3, 3},  {97, 11, 3, 3}, {0, 11, 3, 3},  {3, 0, 94, 3},
                               {97, 3, 3, 8}, {3, 11, 94, 3}, {0, 3, 3, 8},   {3, 3, 94, 8}};
    const PaintRect source[9] = {{0, 0, 3, 3},  {56, 0, 3, 3},  {56, 10, 3, 3}, {0, 10, 3, 3}, {3, 0, 12, 3},
                                 {56, 3, 3, 3}, {3, 10, 1, 3}, {0, 3, 3, 3},   {4, 4, 51, 7}};
    for (int i = 0; i < 9; ++i) {
        const Op& op = target.ops[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(op.picture, Picture::Frame) << i;
        EXPECT_EQ(op.dest, dest[i]) << i;
        EXPECT_EQ(op.source, source[i]) << i;
    }
    EXPECT_EQ(painter.State().sweepX, 4);
    EXPECT_EQ(painter.State().cursorX, 4);
    EXPECT_EQ(painter.State().barWidth, 100);
    EXPECT_EQ(painter.State().innerHeight, 8);
}

TEST(BarFrame, SlicesCoverEveryPixelOnceAtAnySize) {
    for (int w : {6, 7, 20, 100, 213}) {
        for (int h : {6, 9, 14, 31}) {
            RecordingTarget target(w, h);
            BarPainter painter;
            painter.PaintFrame(target, {});
            std::vector<int> hits(static_cast<std::size_t>(w * h), 0);
            for (const Op& op : target.ops) {
                for (int y = static_cast<int>(op.dest.y); y < op.dest.y + op.dest.h; ++y) {
                    for (int x = static_cast<int>(op.dest.x); x < op.dest.x + op.dest.w; ++x) {
                        ++hits[static_cast<std::size_t>(y * w + x)];
                    }
                }
            }
            for (std::size_t i = 0; i < hits.size(); ++i) {
                ASSERT_EQ(hits[i], 1) << w << "x" << h << " pixel " << i;
            }
        }
    }
}

TEST(BarFrame, OnlyTheSidesAreRoundedOnAFractionalHeight) {
    RecordingTarget target(100, 14.75);
    BarPainter painter;
    painter.PaintFrame(target, {});
    // Right edge, left edge and centre take round(8.75) = 9; the bottom row stays at 11.75.
    EXPECT_EQ(target.ops[6].dest, (PaintRect{97, 3, 3, 9}));
    EXPECT_EQ(target.ops[8].dest, (PaintRect{0, 3, 3, 9}));
    EXPECT_EQ(target.ops[9].dest, (PaintRect{3, 3, 94, 9}));
    EXPECT_EQ(target.ops[3].dest, (PaintRect{97, 11.75, 3, 3}));
    EXPECT_EQ(target.ops[7].dest, (PaintRect{3, 11.75, 94, 3}));
    EXPECT_EQ(painter.State().innerHeight, 8.75);
}

TEST(BarBlocks, HalfAndFullOnA100PixelBar) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);

    Refresh(painter, target, values, 50);
    EXPECT_TRUE(target.Cleared());
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(44));
    for (const Op& op : target.SinceLastClear()) {
        if (op.picture == Picture::Piece2) {
            EXPECT_EQ(op.source, (PaintRect{0, 0, 8, 10}));
        }
    }

    Refresh(painter, target, values, 100);
    std::vector<PaintRect> expected = FullBlocksUpTo(84);
    ASSERT_EQ(expected.size(), 9u);
    expected.push_back({94, 3, 3, 8});  // squeezed to end at the right border's inner edge
    EXPECT_EQ(target.Blocks(), expected);
    EXPECT_TRUE(painter.State().endReached);

    // Back down: the refresh repaints the whole bar for the new value.
    Refresh(painter, target, values, 50);
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(44));
    EXPECT_FALSE(painter.State().endReached);
}

TEST(BarBlocks, FirstBlockNeedsFiveUnits) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);
    for (int v = 1; v <= 4; ++v) {
        Refresh(painter, target, values, v);
        EXPECT_TRUE(target.Blocks().empty()) << v;
    }
    Refresh(painter, target, values, 5);
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(4));
}

TEST(BarBlocks, ZeroAfterResetLeavesAnEmptyFrame) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);
    Refresh(painter, target, values, 70);
    ASSERT_FALSE(target.Blocks().empty());
    Refresh(painter, target, values, 0);
    EXPECT_TRUE(target.Cleared());
    const std::vector<Op> now = target.SinceLastClear();
    ASSERT_EQ(now.size(), 9u);
    for (const Op& op : now) {
        EXPECT_EQ(op.picture, Picture::Frame);
    }
}

TEST(BarBlocks, LowerValueWithoutResetRepaintsFromTheStart) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);
    Refresh(painter, target, values, 30);
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(24));

    target.ops.clear();
    values.value = 20;
    painter.PaintBlocks(target, values);
    EXPECT_TRUE(target.Cleared());
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(14));
}

TEST(BarBlocks, HigherValueWithoutResetExtendsOneUnitPerWrite) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);
    Refresh(painter, target, values, 30);  // blocks 4..24, cursor at 34, target 31 units
    int painted = 0;
    for (int write = 0; write < 4; ++write) {
        target.ops.clear();
        values.value = 60;
        painter.PaintBlocks(target, values);
        EXPECT_FALSE(target.Cleared());
        painted += static_cast<int>(target.Blocks().size());
    }
    // Targets of 31 to 34 units reach no new block (the cursor stands at 34); 35 does.
    EXPECT_EQ(painted, 0);
    target.ops.clear();
    painter.PaintBlocks(target, values);
    EXPECT_EQ(target.Blocks(), (std::vector<PaintRect>{{34, 3, 8, 8}}));
}

TEST(BarBlocks, NewLookAndPieceSizeTakenByTheNextRefresh) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);
    Refresh(painter, target, values, 40);
    for (const Op& op : target.SinceLastClear()) {
        EXPECT_EQ(op.look, 0);
    }

    target.look = 7;
    target.piece = {6, 12};
    Refresh(painter, target, values, 40);
    int blocks = 0;
    for (const Op& op : target.SinceLastClear()) {
        if (op.picture == Picture::Piece2) {
            ++blocks;
            EXPECT_EQ(op.look, 7);
            EXPECT_EQ(op.dest.w, 6);
            EXPECT_EQ(op.source, (PaintRect{0, 0, 6, 12}));
        }
    }
    EXPECT_EQ(blocks, 4);
}

TEST(BarBlocks, EmptyRangePaintsTheFrameOnly) {
    for (std::int32_t style : {0, 1}) {
        RecordingTarget target(100, 14);
        BarPainter painter;
        BarValues values{50, 50, 50};
        painter.PaintFrame(target, values);
        painter.Reset(target, values);
        target.ops.clear();
        painter.PaintValue(target, values, style);
        painter.PaintValue(target, values, style);
        EXPECT_TRUE(target.Cleared()) << style;
        for (const Op& op : target.ops) {
            EXPECT_TRUE(op.clear || op.picture == Picture::Frame) << style;
            EXPECT_TRUE(std::isfinite(op.dest.x) && std::isfinite(op.dest.w));
        }
    }
}

TEST(BarBlocks, DecreaseCountsUnitsFromMin) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values{10, 110, 10};
    painter.PaintFrame(target, values);
    Refresh(painter, target, values, 60);  // 50 units
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(44));
    target.ops.clear();
    values.value = 55;  // 45 units, without Reset
    painter.PaintBlocks(target, values);
    EXPECT_TRUE(target.Cleared());
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(44));
    target.ops.clear();
    values.value = 50;  // 40 units
    painter.PaintBlocks(target, values);
    EXPECT_EQ(target.Blocks(), FullBlocksUpTo(34));
}

TEST(BarBlocks, ValueFarBeyondTheRangeStopsAtTheEnd) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values{0, 1, 2000000000};  // as a stored control could load it, unchecked
    painter.PaintFrame(target, values);
    target.ops.clear();
    painter.PaintBlocks(target, values);
    std::vector<PaintRect> expected = FullBlocksUpTo(84);
    expected.push_back({94, 3, 3, 8});
    EXPECT_EQ(target.Blocks(), expected);
}

TEST(BarSweep, GroupMovesByFiveAndRestartsAtTwo) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(target, values);
    std::vector<int> positions;
    for (int write = 0; write < 22; ++write) {
        positions.push_back(painter.State().sweepX);
        target.ops.clear();
        values.value = write % 100;
        painter.PaintValue(target, values, 1);
        EXPECT_FALSE(target.Cleared());
    }
    std::vector<int> expected;
    for (int p = 4; p <= 99; p += 5) {
        expected.push_back(p);
    }
    expected.push_back(2);
    expected.push_back(7);
    EXPECT_EQ(positions, expected);
}

TEST(BarSweep, PiecesOfOneStep) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    painter.PaintFrame(target, {});
    target.ops.clear();
    painter.PaintSweep(target);  // at 4: nothing erased behind
    ASSERT_EQ(target.ops.size(), 3u);
    EXPECT_EQ(target.ops[0].picture, Picture::Piece2);
    EXPECT_EQ(target.ops[0].dest, (PaintRect{14, 3, 4, 8}));
    EXPECT_EQ(target.ops[1].picture, Picture::Piece1);
    EXPECT_EQ(target.ops[1].dest, (PaintRect{9, 3, 4, 8}));
    EXPECT_EQ(target.ops[2].picture, Picture::Piece0);
    EXPECT_EQ(target.ops[2].dest, (PaintRect{4, 3, 4, 8}));
    EXPECT_EQ(target.ops[2].source, (PaintRect{0, 0, 8, 10}));

    target.ops.clear();
    painter.PaintSweep(target);  // at 9: the column behind the group is erased first
    ASSERT_EQ(target.ops.size(), 4u);
    EXPECT_EQ(target.ops[0].picture, Picture::Blank);
    EXPECT_EQ(target.ops[0].dest, (PaintRect{4, 3, 4, 8}));
}

TEST(BarSweep, TailErasedToTheInnerEdge) {
    RecordingTarget target(99, 14);
    BarPainter painter;
    painter.PaintFrame(target, {});
    while (painter.State().sweepX != 94) {
        painter.PaintSweep(target);
    }
    target.ops.clear();
    painter.PaintSweep(target);
    ASSERT_EQ(target.ops.size(), 2u);
    EXPECT_EQ(target.ops[0].dest, (PaintRect{89, 3, 4, 8}));
    EXPECT_EQ(target.ops[1].picture, Picture::Blank);
    EXPECT_EQ(target.ops[1].dest, (PaintRect{94, 3, 2, 8}));
    EXPECT_EQ(painter.State().sweepX, 2);
}

TEST(BarSweep, ValueAtMaxClearsTheBar) {
    RecordingTarget target(100, 14);
    BarPainter painter;
    BarValues values{0, 100, 40};
    painter.PaintFrame(target, values);
    painter.PaintValue(target, values, 3);
    painter.PaintValue(target, values, 3);
    ASSERT_EQ(painter.State().sweepX, 14);
    target.ops.clear();
    values.value = 100;
    painter.PaintValue(target, values, 3);
    EXPECT_TRUE(target.Cleared());
    EXPECT_EQ(target.SinceLastClear().size(), 9u);
    EXPECT_EQ(painter.State().sweepX, 4);
}

TEST(BarLooks, OnlyZeroToSevenSelectALook) {
    EXPECT_EQ(LookForProgressLook(0), 0);
    EXPECT_EQ(LookForProgressLook(7), 7);
    EXPECT_EQ(kLookNames[7], "redmet");
    EXPECT_FALSE(LookForProgressLook(8));
    EXPECT_FALSE(LookForProgressLook(9));
    EXPECT_FALSE(LookForProgressLook(-1));
}

} // namespace
} // namespace corvane::progressbar
