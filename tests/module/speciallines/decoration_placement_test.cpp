// Decoration placement: positions per mode on a 100-unit line, and the degenerate steps that must end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "speciallines/builtin_symbols.h"
#include "speciallines/decoration_placement.h"

namespace {

using kelvora::speciallines::decorationPositions;
using kelvora::speciallines::placeDecorations;

constexpr double kTol = 1e-9;

struct PlacementRow {
    std::string name;
    unsigned mode;
    double length;
    std::vector<double> expected;
};

std::vector<double> every(double first, double step, int count)
{
    std::vector<double> out;
    for (int i = 0; i < count; ++i)
        out.push_back(first + step * i);
    return out;
}

class PlacementModes : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(PlacementModes, PositionsAlongTheLine)
{
    const PlacementRow& row = GetParam();
    // The defaults: decoration 1, gap 0.1, spacing 10, so a period of 11.2.
    const auto placement = placeDecorations(row.length, 1.0, 0.1, 10.0, row.mode);
    const std::vector<double> got = decorationPositions(placement);
    ASSERT_EQ(got.size(), row.expected.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], row.expected[i], 1e-7) << "decoration " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Line100, PlacementModes,
    ::testing::Values(PlacementRow{"Centred", 0, 100.0, every(5.2, 11.2, 9)},
                      PlacementRow{"ToTheEnd", 1, 100.0, every(10.4, 11.2, 9)},
                      PlacementRow{"FromTheStart", 2, 100.0, every(0.0, 11.2, 9)},
                      PlacementRow{"Spread", 3, 100.0, every(0.0, 100.0 / 9.0, 10)},
                      PlacementRow{"UnknownModeOneAtTheEnd", 9, 100.0, {100.0}},
                      // A remainder of 0.5 cannot hold a footprint of 1.2: the run is centred on a full period.
                      PlacementRow{"CentredShortRemainder", 0, 11.7, {5.85}},
                      PlacementRow{"ShorterThanOnePeriod", 0, 5.0, {2.5}}),
    [](const ::testing::TestParamInfo<PlacementRow>& info) { return info.param.name; });

TEST(DecorationPlacement, CentredStartIsHalfTheRemainder)
{
    const auto placement = placeDecorations(100.0, 1.0, 0.1, 10.0, 0);
    EXPECT_NEAR(placement.start, 5.2, kTol);
    EXPECT_NEAR(placement.step, 11.2, kTol);
}

TEST(DecorationPlacement, ZeroLengthSpreadGivesOneDecorationAndEnds)
{
    const auto positions = decorationPositions(placeDecorations(0.0, 1.0, 0.1, 10.0, 3));
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_NEAR(positions[0], 0.0, kTol);
}

TEST(DecorationPlacement, NonPositivePeriodGivesOneDecorationInTheMiddle)
{
    // A negative size can cancel the spacing: no period to repeat.
    const auto positions = decorationPositions(placeDecorations(100.0, -10.2, 0.1, 10.0, 0));
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_NEAR(positions[0], 50.0, kTol);
}

TEST(DecorationPlacement, TinyPeriodIsBoundedNotEndless)
{
    const auto positions = decorationPositions(placeDecorations(1e6, 1e-6, 0.0, 0.0, 2));
    EXPECT_GT(positions.size(), 1000u);
    EXPECT_LE(positions.size(), 100000u);
}

TEST(BuiltinSymbols, TwelveNamesInDialogOrder)
{
    EXPECT_STREQ(kelvora::speciallines::builtinSymbolName(0), "Vide");
    EXPECT_STREQ(kelvora::speciallines::builtinSymbolName(1), "Barbel\xE9");
    EXPECT_STREQ(kelvora::speciallines::builtinSymbolName(11), "S renvers\xE9");
    EXPECT_EQ(kelvora::speciallines::builtinSymbolName(12), nullptr);
    EXPECT_EQ(kelvora::speciallines::builtinSymbolName(-1), nullptr);
}

TEST(BuiltinSymbols, StrokeRangesFollowEachOtherOverAllFiftyTwo)
{
    int expectedFirst = 1;
    int first = 0;
    int last = 0;
    EXPECT_FALSE(kelvora::speciallines::builtinSymbolStrokes(0, first, last));
    for (int index = 1; index < kelvora::speciallines::kBuiltinSymbolCount; ++index) {
        ASSERT_TRUE(kelvora::speciallines::builtinSymbolStrokes(index, first, last)) << index;
        EXPECT_EQ(first, expectedFirst) << index;
        expectedFirst = last + 1;
    }
    EXPECT_EQ(last, kelvora::speciallines::kStrokeCount);
    EXPECT_FALSE(kelvora::speciallines::builtinSymbolStrokes(12, first, last));
    EXPECT_EQ(kelvora::speciallines::strokeAt(53), nullptr);
    EXPECT_EQ(kelvora::speciallines::strokeAt(0), nullptr);
}

TEST(BuiltinSymbols, SampleStrokesAsTabled)
{
    const auto* barbed = kelvora::speciallines::strokeAt(1);
    EXPECT_DOUBLE_EQ(barbed->x1, -0.35355339);
    EXPECT_DOUBLE_EQ(barbed->y2, -0.35355339);
    const auto* zigzag = kelvora::speciallines::strokeAt(3);
    EXPECT_DOUBLE_EQ(zigzag->y1, 0.4330127);
    const auto* last = kelvora::speciallines::strokeAt(52);
    EXPECT_DOUBLE_EQ(last->x1, 0.0);
    EXPECT_DOUBLE_EQ(last->y1, -0.5);
    EXPECT_DOUBLE_EQ(last->x2, 0.5);
    EXPECT_DOUBLE_EQ(last->y2, -0.5);
}

}  // namespace
