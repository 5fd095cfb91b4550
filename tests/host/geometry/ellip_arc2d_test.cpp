// 2D elliptic arcs: points at parameters, turning sense, wrapped angles, affine images, nearest points, crossings.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>

#include "gearc2d.h"
#include "geell2d.h"
#include "geline2d.h"
#include "gelnsg2d.h"

namespace {

constexpr double kPi = std::numbers::pi;
// Closed-form points here are exact to a few units in the last place.
constexpr double kTol = 1e-12;

void expectNear(const AcGePoint2d& a, const AcGePoint2d& b, double tol = kTol)
{
    EXPECT_NEAR(a.x, b.x, tol) << "x of (" << a.x << ", " << a.y << ")";
    EXPECT_NEAR(a.y, b.y, tol) << "y of (" << a.x << ", " << a.y << ")";
}

// Centre (1, 2), major axis along (3, 4) with radius 5, minor radius 2. Its minor axis is
// (-0.8, 0.6) counter-clockwise, (0.8, -0.6) clockwise.
AcGeEllipArc2d tilted(bool clockwise, double start = 0.0, double end = 2.0 * kPi)
{
    AcGeVector2d major(3, 4);
    AcGeVector2d minor = clockwise ? AcGeVector2d(4, -3) : AcGeVector2d(-4, 3);
    return AcGeEllipArc2d(AcGePoint2d(1, 2), major, minor, 5.0, 2.0, start, end);
}

struct PointRow {
    const char* name;
    bool clockwise;
    double param;
    AcGePoint2d expected;
};

std::ostream& operator<<(std::ostream& os, const PointRow& r) { return os << r.name; }

class EllipsePoints : public testing::TestWithParam<PointRow> {};

TEST_P(EllipsePoints, PointAtParameter)
{
    const PointRow& r = GetParam();
    expectNear(tilted(r.clockwise).evalPoint(r.param), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ge, EllipsePoints,
    testing::Values(PointRow{"MajorEnd", false, 0.0, {4.0, 6.0}}, PointRow{"MinorEndLeft", false, kPi / 2, {-0.6, 3.2}},
                    PointRow{"OppositeMajorEnd", false, kPi, {-2.0, -2.0}},
                    PointRow{"MinorEndRight", true, kPi / 2, {2.6, 0.8}},
                    PointRow{"ClockwiseThreeQuarters", true, 3 * kPi / 2, {-0.6, 3.2}},
                    PointRow{"Diagonal", false, kPi / 4,
                             {1.0 + (3.0 - 1.6) * std::sqrt(0.5), 2.0 + (4.0 + 1.2) * std::sqrt(0.5)}}),
    [](const testing::TestParamInfo<PointRow>& info) { return std::string(info.param.name); });

}  // namespace

TEST(EllipArc2d, AccessorsKeepUnitAxesAtRightAngles)
{
    // A minor axis not at right angles only chooses the side.
    AcGeEllipArc2d e(AcGePoint2d(0, 0), AcGeVector2d(2, 0), AcGeVector2d(1, -1), 3.0, 1.0, 0.5, 2.0);
    EXPECT_TRUE(e.isClockWise());
    expectNear(AcGePoint2d::kOrigin + e.majorAxis(), AcGePoint2d(1, 0));
    expectNear(AcGePoint2d::kOrigin + e.minorAxis(), AcGePoint2d(0, -1));
    EXPECT_DOUBLE_EQ(e.majorRadius(), 3.0);
    EXPECT_DOUBLE_EQ(e.minorRadius(), 1.0);
    EXPECT_DOUBLE_EQ(e.startAng(), 0.5);
    EXPECT_DOUBLE_EQ(e.endAng(), 2.0);
    EXPECT_TRUE(e.isKindOf(AcGe::kCurve2d));
    EXPECT_EQ(e.type(), AcGe::kEllipArc2d);
}

TEST(EllipArc2d, ClockwiseArcRunsOnTheRightOfItsMajorAxis)
{
    // A quarter from the major end to the minor end, clockwise: through the fourth quadrant.
    AcGeEllipArc2d e(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, -AcGeVector2d::kYAxis, 4.0, 2.0, 0.0, kPi / 2);
    expectNear(e.startPoint(), AcGePoint2d(4, 0));
    expectNear(e.endPoint(), AcGePoint2d(0, -2));
    AcGePoint2d mid = e.evalPoint(kPi / 4);
    EXPECT_GT(mid.x, 0.0);
    EXPECT_LT(mid.y, 0.0);
    // The tangent at the start points down, the way a clockwise arc leaves the X axis.
    AcGeVector2dArray d;
    e.evalPoint(0.0, 1, d);
    ASSERT_EQ(d.length(), 1);
    EXPECT_NEAR(d[0].x, 0.0, kTol);
    EXPECT_NEAR(d[0].y, -2.0, kTol);
}

TEST(EllipArc2d, EndBeforeStartWrapsRound)
{
    AcGeEllipArc2d e = tilted(false, 3 * kPi / 2, kPi / 2);
    EXPECT_DOUBLE_EQ(e.startAng(), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(e.endAng(), 5 * kPi / 2);
    expectNear(e.endPoint(), AcGePoint2d(-0.6, 3.2));
    EXPECT_FALSE(e.isClosed());
}

TEST(EllipArc2d, EqualAnglesMakeTheFullEllipse)
{
    AcGeEllipArc2d e = tilted(false, 1.0, 1.0);
    EXPECT_DOUBLE_EQ(e.endAng() - e.startAng(), 2 * kPi);
    EXPECT_TRUE(e.isClosed());
    double period = 0.0;
    EXPECT_TRUE(e.isPeriodic(period));
    EXPECT_DOUBLE_EQ(period, 2 * kPi);
}

TEST(EllipArc2d, ReversingKeepsThePointsAndTurnsTheSense)
{
    AcGeEllipArc2d e = tilted(false, 0.25, 2.0);
    AcGePoint2d start = e.startPoint(), end = e.endPoint(), mid = e.evalPoint(1.0);
    e.reverseParam();
    EXPECT_TRUE(e.isClockWise());
    expectNear(e.startPoint(), end);
    expectNear(e.endPoint(), start);
    EXPECT_TRUE(e.isOn(mid));
}

TEST(EllipArc2d, FromCircularArcKeepsItsPoints)
{
    AcGeCircArc2d arc(AcGePoint2d(1, 1), 2.0, 0.5, 2.5, AcGeVector2d(0, 1), Adesk::kTrue);
    AcGeEllipArc2d e(arc);
    EXPECT_TRUE(e.isCircular());
    EXPECT_TRUE(e.isClockWise());
    for (double t : {0.5, 1.0, 1.7, 2.5})
        expectNear(e.evalPoint(t), arc.evalPoint(t));
}

// A shear and a non-uniform scale take the ellipse to another one: the image of every point lies on
// the new ellipse, the ends go to the images of the ends, and the major radius is the longer.
TEST(EllipArc2d, AffineImageIsTheEllipseThroughTheImagePoints)
{
    AcGeMatrix2d m;
    m.entry[0][0] = 2.0;
    m.entry[0][1] = 0.7;
    m.entry[1][1] = 0.5;
    m.entry[0][2] = 3.0;
    const AcGeEllipArc2d before = tilted(false, 0.3, 4.0);
    AcGeEllipArc2d after = before;
    after.transformBy(m);
    EXPECT_GE(after.majorRadius(), after.minorRadius());
    EXPECT_NEAR(after.majorAxis().dotProduct(after.minorAxis()), 0.0, kTol);
    // Loose: the nearest-point search answers to about 1e-10 here.
    const double kOnTol = 1e-9;
    expectNear(after.startPoint(), m * before.startPoint(), kOnTol);
    expectNear(after.endPoint(), m * before.endPoint(), kOnTol);
    for (double t = 0.3; t < 4.0; t += 0.37)
        EXPECT_LT(after.distanceTo(m * before.evalPoint(t)), kOnTol) << t;
}

TEST(EllipArc2d, MirroringTurnsTheSense)
{
    AcGeEllipArc2d e = tilted(false, 0.0, 1.0);
    AcGePoint2d start = e.startPoint();
    e.mirror(AcGeLine2d(AcGePoint2d(0, 0), AcGeVector2d::kXAxis));
    EXPECT_TRUE(e.isClockWise());
    expectNear(e.startPoint(), AcGePoint2d(start.x, -start.y));
}

TEST(EllipArc2d, ClosestPointOnAFlatEllipse)
{
    AcGeEllipArc2d e(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0);
    expectNear(e.closestPointTo(AcGePoint2d(0, 5)), AcGePoint2d(0, 2), 1e-9);
    EXPECT_NEAR(e.distanceTo(AcGePoint2d(7, 0)), 3.0, 1e-9);
    // Outside the arc's range the nearer end answers.
    AcGeEllipArc2d upper(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0, 0.0, kPi);
    expectNear(upper.closestPointTo(AcGePoint2d(3, -5)), AcGePoint2d(4, 0), 1e-9);
}

TEST(EllipArc2d, LengthOfTheWholeEllipse)
{
    AcGeEllipArc2d e(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0);
    // The perimeter of the 4 x 2 ellipse, by a fine midpoint sum of its speed.
    EXPECT_NEAR(e.length(0.0, 2 * kPi), 19.376896441095205, 1e-8);
}

TEST(EllipArc2d, EqualityIgnoresWhichWayTheMajorAxisPoints)
{
    AcGeEllipArc2d a = tilted(false, 0.0, 1.0);
    AcGeEllipArc2d b(AcGePoint2d(1, 2), AcGeVector2d(-3, -4), AcGeVector2d(4, -3), 5.0, 2.0, kPi, kPi + 1.0);
    EXPECT_TRUE(a.isEqualTo(b));
    AcGeEllipArc2d c = tilted(true, 0.0, 1.0);
    EXPECT_FALSE(a.isEqualTo(c));
    std::unique_ptr<AcGeEntity2d> copy(a.copy());
    EXPECT_TRUE(copy->isEqualTo(a));
    EXPECT_FALSE(a.isEqualTo(AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(1, 1))));
}

TEST(EllipArc2d, InsideTheFullEllipseOnly)
{
    AcGeEllipArc2d e(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0, 0.0, 1.0);
    EXPECT_TRUE(e.isInside(AcGePoint2d(-3.9, 0)));
    EXPECT_FALSE(e.isInside(AcGePoint2d(4, 0)));
    EXPECT_FALSE(e.isInside(AcGePoint2d(0, 2.1)));
}

namespace {

const double kRoot3 = std::sqrt(3.0);

struct CrossingRow {
    const char* name;
    double start;  // the arc of the 4 x 2 ellipse about the origin, counter-clockwise
    double end;
    std::shared_ptr<AcGeLinearEnt2d> line;
    int count;
    AcGePoint2d first;
    AcGePoint2d second;
};

std::ostream& operator<<(std::ostream& os, const CrossingRow& r) { return os << r.name; }

class EllipseCrossings : public testing::TestWithParam<CrossingRow> {};

TEST_P(EllipseCrossings, PointsInOrderAlongTheLine)
{
    const CrossingRow& r = GetParam();
    AcGeEllipArc2d e(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0, r.start, r.end);
    int n = -1;
    AcGePoint2d p1, p2;
    EXPECT_EQ(e.intersectWith(*r.line, n, p1, p2), r.count > 0);
    ASSERT_EQ(n, r.count);
    if (n >= 1)
        expectNear(p1, r.first);
    if (n == 2)
        expectNear(p2, r.second);
}

std::shared_ptr<AcGeLinearEnt2d> line(AcGePoint2d a, AcGePoint2d b) { return std::make_shared<AcGeLine2d>(a, b); }

INSTANTIATE_TEST_SUITE_P(
    Ge, EllipseCrossings,
    testing::Values(
        CrossingRow{"ChordOfTheUpperHalf", 0, kPi, line({0, 1}, {1, 1}), 2, {-2 * kRoot3, 1}, {2 * kRoot3, 1}},
        CrossingRow{"LineWalkedLeftward", 0, kPi, line({1, 1}, {0, 1}), 2, {2 * kRoot3, 1}, {-2 * kRoot3, 1}},
        CrossingRow{"MissesTheLowerHalf", kPi, 2 * kPi, line({0, 1}, {1, 1}), 0, {}, {}},
        CrossingRow{"TangentAtTheTop", 0, 2 * kPi, line({-1, 2}, {1, 2}), 1, {0, 2}, {}},
        CrossingRow{"PassesAbove", 0, 2 * kPi, line({0, 3}, {1, 3}), 0, {}, {}},
        CrossingRow{"SegmentEndsInside", 0, 2 * kPi,
                    std::make_shared<AcGeLineSeg2d>(AcGePoint2d(0, 1), AcGePoint2d(10, 1)), 1, {2 * kRoot3, 1}, {}},
        CrossingRow{"SlantedThroughTheCentre", 0, 2 * kPi, line({0, 0}, {2, 1}), 2,
                    {-2 * std::sqrt(2.0), -std::sqrt(2.0)}, {2 * std::sqrt(2.0), std::sqrt(2.0)}}),
    [](const testing::TestParamInfo<CrossingRow>& info) { return std::string(info.param.name); });

}  // namespace
