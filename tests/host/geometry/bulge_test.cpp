// Polyline bulges and their arcs, both ways: half circles, quarters, clockwise segments, degenerate ones.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

#include "gearc2d.h"
#include "kelvora/bulge.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct BulgeCase {
    const char* name;
    AcGePoint2d start, end;
    double bulge;
    AcGePoint2d center;
    double radius;
    double sweep;  // signed
    AcGePoint2d mid;
};

// Test output names the row, not its bytes.
void PrintTo(const BulgeCase& c, std::ostream* os) { *os << c.name; }

class BulgeArcs : public ::testing::TestWithParam<BulgeCase> {};

TEST_P(BulgeArcs, SegmentToArc)
{
    const BulgeCase& c = GetParam();
    kelvora::BulgeArc arc;
    ASSERT_TRUE(kelvora::bulgeToArc(c.start, c.end, c.bulge, arc));
    EXPECT_NEAR(arc.center.x, c.center.x, 1e-12);
    EXPECT_NEAR(arc.center.y, c.center.y, 1e-12);
    EXPECT_NEAR(arc.radius, c.radius, 1e-12);
    EXPECT_NEAR(arc.sweep, c.sweep, 1e-12);
    EXPECT_EQ(arc.clockwise, c.bulge < 0.0);
    EXPECT_NEAR(kelvora::bulgeRadius(c.start, c.end, c.bulge), c.radius, 1e-12);
    AcGePoint2d mid = kelvora::bulgeMidPoint(c.start, c.end, c.bulge);
    EXPECT_NEAR(mid.x, c.mid.x, 1e-12);
    EXPECT_NEAR(mid.y, c.mid.y, 1e-12);
    EXPECT_NEAR(kelvora::bulgeLength(c.start, c.end, c.bulge), c.radius * std::fabs(c.sweep), 1e-12);
}

TEST_P(BulgeArcs, AcGeArcFromBulgeRunsStartToEnd)
{
    const BulgeCase& c = GetParam();
    AcGeCircArc2d arc;
    ASSERT_TRUE(kelvora::bulgeToArc(c.start, c.end, c.bulge, arc));
    EXPECT_TRUE(arc.startPoint().isEqualTo(c.start, AcGeTol()));
    EXPECT_TRUE(arc.endPoint().isEqualTo(c.end, AcGeTol()));
    EXPECT_TRUE(arc.center().isEqualTo(c.center, AcGeTol()));
    EXPECT_EQ(arc.isClockWise(), c.bulge < 0.0);
    EXPECT_TRUE(arc.evalPoint(0.5 * (arc.startAng() + arc.endAng())).isEqualTo(c.mid, AcGeTol()));
    // And back: the arc's bulge is the segment's.
    EXPECT_NEAR(kelvora::bulgeFromArc(arc), c.bulge, 1e-12);
}

TEST_P(BulgeArcs, AnglesGiveTheBulgeBack)
{
    const BulgeCase& c = GetParam();
    kelvora::BulgeArc arc;
    ASSERT_TRUE(kelvora::bulgeToArc(c.start, c.end, c.bulge, arc));
    EXPECT_NEAR(kelvora::bulgeFromAngles(arc.startAngle, arc.endAngle, arc.clockwise), c.bulge, 1e-12);
}

const double kQuarter = std::tan(kPi / 8);
const double kThreeQuarters = std::tan(3 * kPi / 8);

INSTANTIATE_TEST_SUITE_P(
    Kernel, BulgeArcs,
    ::testing::Values(
        BulgeCase{"semicircle", {0, 0}, {2, 0}, 1.0, {1, 0}, 1.0, kPi, {1, -1}},
        BulgeCase{"semicircle_clockwise", {0, 0}, {2, 0}, -1.0, {1, 0}, 1.0, -kPi, {1, 1}},
        BulgeCase{"quarter", {1, 0}, {0, 1}, kQuarter, {0, 0}, 1.0, kPi / 2, {std::sqrt(0.5), std::sqrt(0.5)}},
        BulgeCase{"quarter_clockwise", {0, 1}, {1, 0}, -kQuarter, {0, 0}, 1.0, -kPi / 2,
                  {std::sqrt(0.5), std::sqrt(0.5)}},
        BulgeCase{"three_quarters", {2, 0}, {0, -2}, kThreeQuarters, {0, 0}, 2.0, 3 * kPi / 2,
                  {-std::sqrt(2.0), std::sqrt(2.0)}},
        BulgeCase{"large_arc_clockwise", {0, -2}, {2, 0}, -kThreeQuarters, {0, 0}, 2.0, -3 * kPi / 2,
                  {-std::sqrt(2.0), std::sqrt(2.0)}}),
    [](const ::testing::TestParamInfo<BulgeCase>& info) { return std::string(info.param.name); });

TEST(Bulge, SweepAndBulgeAreInverse)
{
    for (double sweep : {-1.9 * kPi, -kPi / 3, 0.01, kPi, 1.99 * kPi})
        EXPECT_NEAR(kelvora::sweepFromBulge(kelvora::bulgeFromSweep(sweep)), sweep, 1e-12);
}

TEST(Bulge, StraightSegmentHasNoArc)
{
    kelvora::BulgeArc arc;
    arc.radius = 7.0;
    EXPECT_FALSE(kelvora::bulgeToArc(AcGePoint2d(0, 0), AcGePoint2d(1, 0), 0.0, arc));
    EXPECT_NEAR(arc.radius, 7.0, 0.0) << "output untouched";
    EXPECT_NEAR(kelvora::bulgeRadius(AcGePoint2d(0, 0), AcGePoint2d(1, 0), 0.0), 0.0, 0.0);
    EXPECT_NEAR(kelvora::bulgeLength(AcGePoint2d(0, 0), AcGePoint2d(3, 4), 0.0), 5.0, 0.0);
}

TEST(Bulge, CoincidentEndsHaveNoArc)
{
    kelvora::BulgeArc arc;
    EXPECT_FALSE(kelvora::bulgeToArc(AcGePoint2d(1, 1), AcGePoint2d(1, 1), 1.0, arc));
    AcGeCircArc2d geArc(AcGePoint2d(9, 9), 3.0);
    EXPECT_FALSE(kelvora::bulgeToArc(AcGePoint2d(1, 1), AcGePoint2d(1, 1), 1.0, geArc));
    EXPECT_TRUE(geArc.center().isEqualTo(AcGePoint2d(9, 9)));
}

TEST(Bulge, SagittaFormOfTheArcConstructor)
{
    // A sagitta of 1 over a chord of 2 is a half circle.
    AcGeCircArc2d arc(AcGePoint2d(0, 0), AcGePoint2d(2, 0), 1.0);
    EXPECT_NEAR(arc.radius(), 1.0, 1e-15);
    EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, 1e-15);
    AcGeCircArc2d flat(AcGePoint2d(0, 0), AcGePoint2d(2, 0), 0.5);
    EXPECT_NEAR(kelvora::bulgeFromArc(flat), 0.5, 1e-15);
}

}  // namespace
