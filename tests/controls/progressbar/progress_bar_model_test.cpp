#include <gtest/gtest.h>

#include "controls/progressbar/progress_bar_model.h"

namespace corvane::progressbar {
namespace {

TEST(ProgressBarModel, ValueWithinBoundsIsTakenAndPaintedOutsideRefused) {
    ProgressBarModel bar;
    EXPECT_EQ(bar.SetValue(101).refusal, kValueAboveMax);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_FALSE(bar.Changed());
    const WriteResult ok = bar.SetValue(100);
    EXPECT_FALSE(ok.refusal);
    EXPECT_TRUE(ok.paint);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_TRUE(bar.Changed());
    const WriteResult low = bar.SetValue(-1);
    EXPECT_EQ(low.refusal, kValueBelowMin);
    EXPECT_FALSE(low.paint);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(std::string(kValueAboveMax), "Value can NOT be higher than Maximum !");
    EXPECT_EQ(std::string(kValueBelowMin), "Value can NOT be smaller than minimum !");
}

TEST(ProgressBarModel, BoundsAreCheckedAgainstEachOtherNotAgainstTheValue) {
    ProgressBarModel bar;
    EXPECT_EQ(bar.SetMin(-5).refusal, kMinBelowZero);
    EXPECT_EQ(bar.SetMin(150).refusal, kMinAboveMax); // the first check wins
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(std::string(kMinBelowZero), "Minimum can NOT be smaller then 0 !");
    EXPECT_EQ(std::string(kMinAboveMax), "Minimum can NOT be biger than maximum !");

    ASSERT_FALSE(bar.SetValue(80).refusal);
    EXPECT_FALSE(bar.SetMax(50).refusal);
    EXPECT_EQ(bar.Max(), 50);
    EXPECT_EQ(bar.Value(), 80);
    EXPECT_FALSE(bar.SetMin(50).refusal); // equal bounds are accepted
    EXPECT_EQ(bar.SetMax(49).refusal, kMaxBelowMin);
    EXPECT_EQ(std::string(kMaxBelowMin), "Maximum can NOT be smaller than minimum !");
}

TEST(ProgressBarModel, LooksOutsideTheEightKeepTheirPieces) {
    ProgressBarModel bar;
    EXPECT_FALSE(bar.PiecesLook());
    bar.SetProgressLook(7);
    EXPECT_EQ(bar.PiecesLook(), 7);
    bar.SetProgressLook(9);
    EXPECT_EQ(bar.ProgressLook(), 9);
    EXPECT_EQ(bar.PiecesLook(), 7);
    bar.SetProgressLook(-1);
    EXPECT_EQ(bar.PiecesLook(), 7);
    bar.SetProgressLook(0);
    EXPECT_EQ(bar.PiecesLook(), 0);
}

TEST(ProgressBarModel, OnlyValuesDifferentFromTheirDefaultsAreStored) {
    ProgressBarModel defaults;
    MemoryPropertyBag empty;
    defaults.WriteProperties(empty);
    EXPECT_TRUE(empty.Stored().empty());

    ProgressBarModel bar;
    ASSERT_FALSE(bar.SetMax(50).refusal);
    MemoryPropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.Stored().size(), 1u);
    EXPECT_EQ(bag.ReadProperty("Max", 100), 50);

    bar.SetProgressLook(9);
    bar.SetStyle(1);
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.ReadProperty("ProgressLook", 0), 9);
    EXPECT_EQ(bag.ReadProperty("Style", 0), 1);
}

TEST(ProgressBarModel, LoadingSkipsTheChecksAndAppliesTheLook) {
    MemoryPropertyBag bag;
    bag.Put("Min", -20); // refused by a write, taken by a load
    bag.Put("Max", 10);
    bag.Put("Value", 300);
    bag.Put("ProgressLook", 3);
    ProgressBarModel bar;
    bar.ReadProperties(bag);
    EXPECT_EQ(bar.Min(), -20);
    EXPECT_EQ(bar.Max(), 10);
    EXPECT_EQ(bar.Value(), 300);
    EXPECT_EQ(bar.Style(), 0);
    EXPECT_EQ(bar.PiecesLook(), 3);
    EXPECT_FALSE(bar.Changed());
}

} // namespace
} // namespace corvane::progressbar
