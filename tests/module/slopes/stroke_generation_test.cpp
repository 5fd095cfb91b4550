// Where the strokes of a slope stand and how long they start: straight runs, arcs of both senses, bends, the counter.
#include <cmath>
#include <numbers>
#include <ostream>
#include <vector>

#include "slope_fixture.h"

namespace {

using kelvora::slopes::computeStrokes;
using kelvora::slopes::generateStrokes;
using kelvora::slopes::kLeftSide;
using kelvora::slopes::kRightSide;

constexpr double kTol = 1e-9;

TEST_F(SlopeTest, StraightTwentyUnitsGivesNineStrokesOfTheDefaultPattern)
{
    auto slope = straight20();
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    computeStrokes(*slope, kLeftSide, base, end);
    const std::vector<double> lengths = {2, 2, 6, 2, 2, 2, 6, 2, 2};
    ASSERT_EQ(base.length(), 9);
    for (int k = 0; k < 9; ++k) {
        EXPECT_NEAR(base[k].x, 10.0 + 2.5 * k, kTol) << k;
        EXPECT_NEAR(base[k].y, 10.0, kTol) << k;
        EXPECT_NEAR(end[k].x, base[k].x, kTol) << k;
        EXPECT_NEAR(end[k].y, 10.0 + lengths[static_cast<size_t>(k)], kTol) << k;
    }
}

TEST_F(SlopeTest, NominalShortStrokesStartLongerThanLongOnes)
{
    auto slope = straight20();
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    ASSERT_TRUE(generateStrokes(*slope, kLeftSide, base, end));
    ASSERT_EQ(base.length(), 9);
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(strokeLength(base, end, k), k % 4 == 2 ? 6.0 : 18.0, kTol) << k;
}

TEST_F(SlopeTest, RightSideMirrorsTheLeft)
{
    auto slope = straight20();
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    computeStrokes(*slope, kRightSide, base, end);
    ASSERT_EQ(base.length(), 9);
    EXPECT_NEAR(end[0].y, 8.0, kTol);
    EXPECT_NEAR(end[2].y, 4.0, kTol);
}

TEST_F(SlopeTest, OutlineShorterThanTheSpacingHasNoStroke)
{
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{2, 0}, 0.0}});
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    base.append(AcGePoint3d(7, 7, 7));
    end.append(AcGePoint3d(8, 8, 8));
    EXPECT_FALSE(generateStrokes(*slope, kLeftSide, base, end));
    ASSERT_EQ(base.length(), 1);
    EXPECT_NEAR(base[0].x, 7.0, kTol);
}

TEST_F(SlopeTest, LeftoverLengthIsSplitBetweenBothEnds)
{
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{21, 0}, 0.0}});
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    ASSERT_TRUE(generateStrokes(*slope, kLeftSide, base, end));
    ASSERT_EQ(base.length(), 9);
    EXPECT_NEAR(base[0].x, 0.5, kTol);
    EXPECT_NEAR(base[8].x, 20.5, kTol);
}

TEST_F(SlopeTest, ExactMultipleStartsOnTheFirstVertex)
{
    auto slope = slopeThrough({{{3, 4}, 0.0}, {{3, 14}, 0.0}});
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    ASSERT_TRUE(generateStrokes(*slope, kLeftSide, base, end));
    ASSERT_EQ(base.length(), 5);
    EXPECT_NEAR(base[0].distanceTo(AcGePoint3d(3, 4, 0)), 0.0, kTol);
    // Heading +y, the left is -x.
    EXPECT_NEAR(end[0].x, 3.0 - 18.0, kTol);
}

// Half circles from (0, 0) to (20, 0): bulge +1 turns counter-clockwise through (10, -10), bulge -1
// clockwise through (10, 10). The left side is towards the centre for the first, away for the second.
struct ArcCase {
    const char* name;
    double bulge;
    double towardsCentre;  // +1: ends nearer the centre than bases
};

// Rows print as their names.
void PrintTo(const ArcCase& row, std::ostream* out) { *out << row.name; }

class ArcStrokes : public SlopeTest, public ::testing::WithParamInterface<ArcCase> {};

TEST_P(ArcStrokes, AreRadialAndOnTheLeft)
{
    const ArcCase& c = GetParam();
    auto slope = slopeThrough({{{0, 0}, c.bulge}, {{20, 0}, 0.0}});
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    ASSERT_TRUE(generateStrokes(*slope, kLeftSide, base, end));
    const AcGePoint3d centre(10, 0, 0);
    ASSERT_EQ(base.length(), 13) << c.name;  // 10 pi holds 12 spacings
    for (int k = 0; k < base.length(); ++k) {
        const double rb = base[k].distanceTo(centre);
        const double len = strokeLength(base, end, k);
        const double radial = (end[k] - base[k]).normal().dotProduct((centre - base[k]).normal());
        EXPECT_NEAR(rb, 10.0, 1e-9) << c.name << " " << k;
        EXPECT_NEAR(radial, c.towardsCentre, 1e-12) << c.name << " " << k;
        EXPECT_NEAR(len, k % 4 == 2 ? 6.0 : 18.0, 1e-9) << c.name << " " << k;
    }
    // The middle stroke, a long one, stands on the arc's midpoint.
    EXPECT_NEAR(base[6].x, 10.0, 1e-9) << c.name;
    EXPECT_NEAR(std::fabs(base[6].y), 10.0, 1e-9) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Slopes, ArcStrokes,
                         ::testing::Values(ArcCase{"counter_clockwise", 1.0, 1.0},
                                           ArcCase{"clockwise", -1.0, -1.0}),
                         [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

TEST_F(SlopeTest, StrokesTurnThroughTheBisectorAtABend)
{
    // East 10, then north 10: at the corner the stroke leans along the bisector of both left normals.
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{10, 0}, 0.0}, {{10, 10}, 0.0}});
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    ASSERT_TRUE(generateStrokes(*slope, kLeftSide, base, end));
    ASSERT_EQ(base.length(), 9);
    auto direction = [&](int k) { return (end[k] - base[k]).normal(); };
    // Stroke 4 stands on the corner: the mean of (0, 1) and (-1, 0).
    EXPECT_NEAR(base[4].distanceTo(AcGePoint3d(10, 0, 0)), 0.0, kTol);
    EXPECT_NEAR(direction(4).x, -std::numbers::sqrt2 / 2, kTol);
    EXPECT_NEAR(direction(4).y, std::numbers::sqrt2 / 2, kTol);
    // Stroke 0 stands on the open start: its own normal.
    EXPECT_NEAR(direction(0).x, 0.0, kTol);
    EXPECT_NEAR(direction(0).y, 1.0, kTol);
    // Stroke 2, half way: halfway between (0, 1) and the corner's (-1/2, 1/2).
    const AcGeVector3d half = AcGeVector3d(-0.25, 0.75, 0).normal();
    EXPECT_NEAR(direction(2).x, half.x, kTol);
    EXPECT_NEAR(direction(2).y, half.y, kTol);
}

TEST_F(SlopeTest, DegenerateClosingSegmentStillGivesTheStartVertexABisector)
{
    // A closed square whose last vertex repeats the first: the closing segment is no segment.
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{10, 0}, 0.0}, {{10, 10}, 0.0}, {{0, 10}, 0.0}, {{0, 0}, 0.0}}, true);
    EXPECT_EQ(kelvora::slopes::collectSegments(*slope), (std::vector<unsigned>{0, 1, 2, 3}));
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    ASSERT_TRUE(generateStrokes(*slope, kLeftSide, base, end));
    const AcGeVector3d first = (end[0] - base[0]).normal();
    EXPECT_NEAR(first.x, std::numbers::sqrt2 / 2, kTol);
    EXPECT_NEAR(first.y, std::numbers::sqrt2 / 2, kTol);
}

struct PatternCase {
    const char* name;
    int intervals;
    std::vector<bool> longs;
};

// Rows print as their names.
void PrintTo(const PatternCase& row, std::ostream* out) { *out << row.name; }

class StrokePattern : public SlopeTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(StrokePattern, FollowsTheCounter)
{
    const PatternCase& c = GetParam();
    kelvora::slopes::StrokeCounter counter(c.intervals);
    for (size_t k = 0; k < c.longs.size(); ++k) {
        EXPECT_EQ(counter.isLong(), c.longs[k]) << c.name << " stroke " << k;
        counter.advance();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Slopes, StrokePattern,
    ::testing::Values(PatternCase{"four", 4, {false, false, true, false, false, false, true, false}},
                      PatternCase{"three", 3, {false, false, true, false, false, true}},
                      PatternCase{"one_long_after_the_first", 1, {false, true, true, true}},
                      PatternCase{"zero_counts_as_one", 0, {false, true, true}},
                      PatternCase{"five", 5, {false, false, false, true, false, false, false, false, true}}),
    [](const ::testing::TestParamInfo<PatternCase>& info) { return std::string(info.param.name); });

TEST_F(SlopeTest, ZeroIntervalsFromAFileDrawWithoutFailing)
{
    auto slope = straight20();
    slope->setIntervalCount(0);
    EXPECT_EQ(slope->effectiveIntervalCount(), 1);
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    computeStrokes(*slope, kLeftSide, base, end);
    ASSERT_EQ(base.length(), 9);
    // Stroke 0 short, the others long; the short one reaches a third of its long neighbour.
    EXPECT_NEAR(strokeLength(base, end, 0), 2.0, kTol);
    for (int k = 1; k < 9; ++k)
        EXPECT_NEAR(strokeLength(base, end, k), 6.0, kTol) << k;
}

TEST_F(SlopeTest, NonPositiveSpacingGivesNoStroke)
{
    auto slope = straight20();
    slope->setStrokeSpacing(0.0);
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    EXPECT_FALSE(generateStrokes(*slope, kLeftSide, base, end));
    slope->setStrokeSpacing(-2.5);
    EXPECT_FALSE(generateStrokes(*slope, kLeftSide, base, end));
    EXPECT_EQ(base.length(), 0);
}

TEST_F(SlopeTest, ClosedOutlineWithBothSidesHasStrokesInsideAndOutside)
{
    // Counter-clockwise square: its left is the inside.
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{10, 0}, 0.0}, {{10, 10}, 0.0}, {{0, 10}, 0.0}}, true);
    slope->setBothSides(1);
    AcGePoint3dArray inBase;
    AcGePoint3dArray inEnd;
    AcGePoint3dArray outBase;
    AcGePoint3dArray outEnd;
    computeStrokes(*slope, kLeftSide, inBase, inEnd);
    computeStrokes(*slope, kRightSide, outBase, outEnd);
    ASSERT_EQ(inBase.length(), 17);
    ASSERT_EQ(outBase.length(), 17);
    auto inside = [](const AcGePoint3d& p) {
        return p.x > -1e-9 && p.x < 10 + 1e-9 && p.y > -1e-9 && p.y < 10 + 1e-9;
    };
    for (int k = 0; k < 17; ++k) {
        EXPECT_TRUE(inside(inEnd[k])) << k;
        EXPECT_FALSE(inside(outEnd[k])) << k;
        // Each side counts from the same start: the same strokes are long on both.
        EXPECT_NEAR(strokeLength(inBase, inEnd, k) > 3.0, strokeLength(outBase, outEnd, k) > 3.0, 0.0) << k;
    }
    // The long strokes of the outside are not capped by anything: full length.
    EXPECT_NEAR(strokeLength(outBase, outEnd, 2), 6.0, kTol);
}

}  // namespace
