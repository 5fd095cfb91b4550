// Circular arcs: parameters across 0 and 2pi, intersections with lines and arcs (tangent cases), 3-point arcs.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

#include "gearc2d.h"
#include "gearc3d.h"
#include "geline2d.h"
#include "gelnsg2d.h"
#include "gelnsg3d.h"
#include "kelvora/ge_extents.h"

namespace {

constexpr double kPi = std::numbers::pi;

double deg(double d) { return d * kPi / 180.0; }

TEST(CircArc2d, ParameterIsTheAngleFromTheReferenceAcrossZero)
{
    // From 350 to 10 degrees: the sweep is 20 degrees, the range runs past 2pi.
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0, deg(350), deg(10));
    EXPECT_NEAR(arc.startAng(), deg(350), 1e-15);
    EXPECT_NEAR(arc.endAng(), deg(370), 1e-14);
    EXPECT_NEAR(arc.paramOf(AcGePoint2d(2 * std::cos(deg(5)), 2 * std::sin(deg(5)))), deg(365), 1e-12);
    EXPECT_NEAR(arc.paramOf(AcGePoint2d(2 * std::cos(deg(355)), 2 * std::sin(deg(355)))), deg(355), 1e-12);
    AcGePoint2d p = arc.evalPoint(deg(360));
    EXPECT_NEAR(p.x, 2.0, 1e-14);
    EXPECT_NEAR(p.y, 0.0, 1e-14);
    EXPECT_NEAR(arc.length(arc.startAng(), arc.endAng()), 2.0 * deg(20), 1e-14);
    EXPECT_TRUE(arc.isOn(AcGePoint2d(2, 0)));
    EXPECT_FALSE(arc.isOn(AcGePoint2d(0, 2)));
}

TEST(CircArc2d, ParameterOffTheArcTakesTheNearerEnd)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 1.0, 0.0, kPi / 2);
    EXPECT_NEAR(arc.paramOf(AcGePoint2d(1, -0.1)), 0.0, 1e-15);
    EXPECT_NEAR(arc.paramOf(AcGePoint2d(-0.1, 1)), kPi / 2, 1e-15);
    EXPECT_TRUE(arc.closestPointTo(AcGePoint2d(-3, -0.5)).isEqualTo(AcGePoint2d(1, 0)) ||
                arc.closestPointTo(AcGePoint2d(-3, -0.5)).isEqualTo(AcGePoint2d(0, 1)));
}

TEST(CircArc2d, ClockwiseArcMeasuresAnglesClockwise)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 1.0, 0.0, kPi / 2, AcGeVector2d::kXAxis, true);
    EXPECT_TRUE(arc.isClockWise());
    EXPECT_TRUE(arc.endPoint().isEqualTo(AcGePoint2d(0, -1)));
    EXPECT_NEAR(arc.paramOf(AcGePoint2d(std::sqrt(0.5), -std::sqrt(0.5))), kPi / 4, 1e-15);
    arc.reverseParam();
    EXPECT_FALSE(arc.isClockWise());
    EXPECT_TRUE(arc.startPoint().isEqualTo(AcGePoint2d(0, -1)));
    EXPECT_TRUE(arc.endPoint().isEqualTo(AcGePoint2d(1, 0)));
}

TEST(CircArc2d, ThroughThreePoints)
{
    AcGeCircArc2d ccw(AcGePoint2d(1, 0), AcGePoint2d(0, 1), AcGePoint2d(-1, 0));
    EXPECT_TRUE(ccw.center().isEqualTo(AcGePoint2d(0, 0)));
    EXPECT_NEAR(ccw.radius(), 1.0, 1e-15);
    EXPECT_FALSE(ccw.isClockWise());
    EXPECT_TRUE(ccw.startPoint().isEqualTo(AcGePoint2d(1, 0)));
    EXPECT_TRUE(ccw.endPoint().isEqualTo(AcGePoint2d(-1, 0)));
    EXPECT_TRUE(ccw.isOn(AcGePoint2d(0, 1)));
    AcGeCircArc2d cw(AcGePoint2d(1, 0), AcGePoint2d(0, -1), AcGePoint2d(-1, 0));
    EXPECT_TRUE(cw.isClockWise());
    EXPECT_TRUE(cw.isOn(AcGePoint2d(0, -1)));
    EXPECT_FALSE(cw.isOn(AcGePoint2d(0, 1)));
}

TEST(CircArc2d, CollinearThreePointsLeaveTheArcUnchanged)
{
    AcGeCircArc2d arc(AcGePoint2d(5, 5), 2.0);
    AcGeError error = AcGe::kOk;
    arc.set(AcGePoint2d(0, 0), AcGePoint2d(1, 1), AcGePoint2d(2, 2), error);
    EXPECT_EQ(error, AcGe::kLinearlyDependentArg1Arg2Arg3);
    EXPECT_TRUE(arc.center().isEqualTo(AcGePoint2d(5, 5)));
    EXPECT_NEAR(arc.radius(), 2.0, 0.0);
}

struct ArcLineCase {
    const char* name;
    AcGeCircArc2d arc;
    AcGePoint2d segStart, segEnd;
    int count;
    AcGePoint2d first, second;
};

// Test output names the row, not its bytes.
void PrintTo(const ArcLineCase& c, std::ostream* os) { *os << c.name; }

class ArcLineIntersection : public ::testing::TestWithParam<ArcLineCase> {};

TEST_P(ArcLineIntersection, Points)
{
    const ArcLineCase& c = GetParam();
    int n = -1;
    AcGePoint2d p1, p2;
    EXPECT_EQ(c.arc.intersectWith(AcGeLineSeg2d(c.segStart, c.segEnd), n, p1, p2), c.count > 0);
    ASSERT_EQ(n, c.count);
    if (n >= 1) {
        EXPECT_TRUE(p1.isEqualTo(c.first, AcGeTol())) << p1.x << "," << p1.y;
    }
    if (n >= 2) {
        EXPECT_TRUE(p2.isEqualTo(c.second, AcGeTol())) << p2.x << "," << p2.y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, ArcLineIntersection,
    ::testing::Values(
        ArcLineCase{"full_circle_two_points", AcGeCircArc2d({0, 0}, 1.0), {-2, 0}, {2, 0}, 2, {-1, 0}, {1, 0}},
        ArcLineCase{"tangent_gives_one", AcGeCircArc2d({0, 0}, 1.0), {-2, 1}, {2, 1}, 1, {0, 1}, {}},
        ArcLineCase{"miss", AcGeCircArc2d({0, 0}, 1.0), {-2, 1.5}, {2, 1.5}, 0, {}, {}},
        ArcLineCase{"upper_half_keeps_one", AcGeCircArc2d({0, 0}, 1.0, 0.0, kPi), {0.5, -2}, {0.5, 2}, 1,
                    {0.5, std::sqrt(0.75)}, {}},
        ArcLineCase{"segment_ends_inside_circle", AcGeCircArc2d({0, 0}, 1.0), {-2, 0}, {0, 0}, 1, {-1, 0}, {}},
        ArcLineCase{"touches_arc_end", AcGeCircArc2d({0, 0}, 1.0, 0.0, kPi / 2), {1, -1}, {1, 0}, 1, {1, 0}, {}},
        ArcLineCase{"crosses_gap_of_arc", AcGeCircArc2d({0, 0}, 1.0, kPi / 4, 3 * kPi / 4), {-2, 0}, {2, 0}, 0,
                    {}, {}}),
    [](const ::testing::TestParamInfo<ArcLineCase>& info) { return std::string(info.param.name); });

struct ArcArcCase {
    const char* name;
    AcGeCircArc2d a, b;
    int count;
    AcGePoint2d first;
};

// Test output names the row, not its bytes.
void PrintTo(const ArcArcCase& c, std::ostream* os) { *os << c.name; }

class ArcArcIntersection : public ::testing::TestWithParam<ArcArcCase> {};

TEST_P(ArcArcIntersection, Points)
{
    const ArcArcCase& c = GetParam();
    int n = -1;
    AcGePoint2d p1, p2;
    EXPECT_EQ(c.a.intersectWith(c.b, n, p1, p2), c.count > 0);
    ASSERT_EQ(n, c.count);
    if (n == 1) {
        EXPECT_TRUE(p1.isEqualTo(c.first, AcGeTol())) << p1.x << "," << p1.y;
    }
    if (n == 2) {
        EXPECT_NEAR(p1.distanceTo(c.a.center()), c.a.radius(), 1e-12);
        EXPECT_NEAR(p2.distanceTo(c.b.center()), c.b.radius(), 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, ArcArcIntersection,
    ::testing::Values(ArcArcCase{"two_points", AcGeCircArc2d({0, 0}, 1.0), AcGeCircArc2d({1, 0}, 1.0), 2, {}},
                      ArcArcCase{"touch_outside", AcGeCircArc2d({0, 0}, 1.0), AcGeCircArc2d({3, 0}, 2.0), 1, {1, 0}},
                      ArcArcCase{"touch_inside", AcGeCircArc2d({0, 0}, 3.0), AcGeCircArc2d({1, 0}, 2.0), 1, {3, 0}},
                      ArcArcCase{"apart", AcGeCircArc2d({0, 0}, 1.0), AcGeCircArc2d({5, 0}, 1.0), 0, {}},
                      ArcArcCase{"nested", AcGeCircArc2d({0, 0}, 5.0), AcGeCircArc2d({1, 0}, 1.0), 0, {}},
                      ArcArcCase{"same_circle", AcGeCircArc2d({0, 0}, 1.0, 0, 1), AcGeCircArc2d({0, 0}, 1.0, 0.5, 2),
                                 0, {}},
                      ArcArcCase{"arcs_miss_where_circles_cross", AcGeCircArc2d({0, 0}, 1.0, kPi, 2 * kPi),
                                 AcGeCircArc2d({1, 0}, 1.0, 0, kPi / 2), 0, {}}),
    [](const ::testing::TestParamInfo<ArcArcCase>& info) { return std::string(info.param.name); });

TEST(CircArc2d, ZeroRadiusNeverCrashes)
{
    AcGeCircArc2d dot(AcGePoint2d(1, 1), 0.0);
    EXPECT_TRUE(dot.evalPoint(1.0).isEqualTo(AcGePoint2d(1, 1)));
    EXPECT_NEAR(dot.length(0, 2 * kPi), 0.0, 0.0);
    int n = -1;
    AcGePoint2d p1, p2;
    dot.intersectWith(AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(2, 2)), n, p1, p2);
    EXPECT_LE(n, 1);
    AcGeLine2d tangent;
    EXPECT_FALSE(dot.tangent(AcGePoint2d(1, 1), tangent));
}

TEST(CircArc2d, TangentAndInside)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0);
    AcGeLine2d t;
    ASSERT_TRUE(arc.tangent(AcGePoint2d(0, 2), t));
    EXPECT_TRUE(t.direction().isParallelTo(AcGeVector2d::kXAxis));
    EXPECT_FALSE(arc.tangent(AcGePoint2d(0, 3), t));
    EXPECT_TRUE(arc.isInside(AcGePoint2d(1, 1)));
    EXPECT_FALSE(arc.isInside(AcGePoint2d(2, 0)));
}

TEST(CircArc2d, MirrorKeepsThePointsAndFlipsTheTurn)
{
    AcGeCircArc2d arc(AcGePoint2d(1, 1), 1.0, 0.0, kPi / 2);
    AcGePoint2d start = arc.startPoint(), end = arc.endPoint();
    arc.mirror(AcGeLine2d(AcGePoint2d(0, 0), AcGeVector2d::kYAxis));
    EXPECT_TRUE(arc.isClockWise());
    EXPECT_TRUE(arc.startPoint().isEqualTo(AcGePoint2d(-start.x, start.y)));
    EXPECT_TRUE(arc.endPoint().isEqualTo(AcGePoint2d(-end.x, end.y)));
}

TEST(CircArc3d, FullCircleUsesThePlaneFrame)
{
    AcGeCircArc3d circle(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, -1), 2.0);
    EXPECT_TRUE(circle.refVec().isEqualTo(AcGeVector3d(-1, 0, 0)));
    EXPECT_TRUE(circle.isClosed());
    EXPECT_NEAR(circle.length(circle.startAng(), circle.endAng()), 4 * kPi, 1e-14);
}

TEST(CircArc3d, ThroughThreePointsRunsCounterClockwiseAboutItsNormal)
{
    AcGeCircArc3d arc(AcGePoint3d(1, 0, 5), AcGePoint3d(0, -1, 5), AcGePoint3d(-1, 0, 5));
    EXPECT_TRUE(arc.center().isEqualTo(AcGePoint3d(0, 0, 5)));
    EXPECT_NEAR(arc.radius(), 1.0, 1e-15);
    EXPECT_TRUE(arc.normal().isEqualTo(AcGeVector3d(0, 0, -1)));
    EXPECT_TRUE(arc.startPoint().isEqualTo(AcGePoint3d(1, 0, 5)));
    EXPECT_TRUE(arc.endPoint().isEqualTo(AcGePoint3d(-1, 0, 5)));
    EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, 1e-14);
    EXPECT_TRUE(arc.isOn(AcGePoint3d(0, -1, 5)));
}

TEST(CircArc3d, ThreePointsOffTheAxes)
{
    AcGePoint3d a(3, 1, 2), b(1, 4, -1), c(-2, 0, 1);
    AcGeCircArc3d arc(a, b, c);
    EXPECT_NEAR(arc.center().distanceTo(a), arc.radius(), 1e-12);
    EXPECT_NEAR(arc.center().distanceTo(b), arc.radius(), 1e-12);
    EXPECT_NEAR(arc.center().distanceTo(c), arc.radius(), 1e-12);
    EXPECT_TRUE(arc.startPoint().isEqualTo(a, AcGeTol()));
    EXPECT_TRUE(arc.endPoint().isEqualTo(c, AcGeTol()));
}

TEST(CircArc3d, IntersectionWithSegmentInItsPlaneAndCrossingIt)
{
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 1), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 0.0, kPi);
    int n = -1;
    AcGePoint3d p1, p2;
    ASSERT_TRUE(arc.intersectWith(AcGeLineSeg3d(AcGePoint3d(-2, 0.5, 1), AcGePoint3d(2, 0.5, 1)), n, p1, p2));
    EXPECT_EQ(n, 2);
    ASSERT_TRUE(arc.intersectWith(AcGeLineSeg3d(AcGePoint3d(-2, 1, 1), AcGePoint3d(2, 1, 1)), n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(p1.isEqualTo(AcGePoint3d(0, 1, 1)));
    ASSERT_TRUE(arc.intersectWith(AcGeLineSeg3d(AcGePoint3d(0, 1, 0), AcGePoint3d(0, 1, 2)), n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_FALSE(arc.intersectWith(AcGeLineSeg3d(AcGePoint3d(0, -1, 0), AcGePoint3d(0, -1, 2)), n, p1, p2));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(arc.intersectWith(AcGeLineSeg3d(AcGePoint3d(-2, 0.5, 1.5), AcGePoint3d(2, 0.5, 1.5)), n, p1, p2));
}

TEST(CircArc3d, ArcArcInOneAndInCrossingPlanes)
{
    AcGeCircArc3d a(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcGeCircArc3d touching(AcGePoint3d(2, 0, 0), AcGeVector3d(0, 0, -1), 1.0);
    int n = -1;
    AcGePoint3d p1, p2;
    ASSERT_TRUE(a.intersectWith(touching, n, p1, p2));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(p1.isEqualTo(AcGePoint3d(1, 0, 0)));
    AcGeCircArc3d upright(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis, 1.0);
    ASSERT_TRUE(a.intersectWith(upright, n, p1, p2));
    EXPECT_EQ(n, 2);
    EXPECT_NEAR(std::fabs(p1.y), 1.0, 1e-12);
    EXPECT_NEAR(std::fabs(p2.y), 1.0, 1e-12);
    AcGeCircArc3d lifted(AcGePoint3d(0.5, 0, 1), AcGeVector3d::kZAxis, 1.0);
    EXPECT_FALSE(a.intersectWith(lifted, n, p1, p2));
}

TEST(CircArc3d, MirrorFlipsTheNormalAndKeepsThePoints)
{
    AcGeCircArc3d arc(AcGePoint3d(1, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 2.0, 0.0, kPi / 2);
    AcGePoint3d start = arc.startPoint(), end = arc.endPoint();
    AcGePlane mirror(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis);
    arc.mirror(mirror);
    EXPECT_TRUE(arc.normal().isEqualTo(AcGeVector3d(0, 0, -1)));
    EXPECT_TRUE(arc.startPoint().isEqualTo(AcGePoint3d(-start.x, start.y, start.z)));
    EXPECT_TRUE(arc.endPoint().isEqualTo(AcGePoint3d(-end.x, end.y, end.z)));
}

TEST(CircArc3d, ReverseParamSwapsTheEnds)
{
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, deg(30), deg(120));
    AcGePoint3d start = arc.startPoint(), end = arc.endPoint();
    arc.reverseParam();
    EXPECT_TRUE(arc.startPoint().isEqualTo(end));
    EXPECT_TRUE(arc.endPoint().isEqualTo(start));
    EXPECT_TRUE(arc.normal().isEqualTo(AcGeVector3d(0, 0, -1)));
}

TEST(ArcExtents, QuarterArcsReachTheAxisExtremes)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0, deg(45), deg(135));
    AcGePoint2d lo, hi;
    kelvora::arcExtents(arc, lo, hi);
    EXPECT_NEAR(hi.y, 2.0, 1e-15);
    EXPECT_NEAR(lo.y, std::sqrt(2.0), 1e-14);
    EXPECT_NEAR(lo.x, -std::sqrt(2.0), 1e-14);
    AcGeCircArc3d circle(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 1), 1.0);
    AcGePoint3d lo3, hi3;
    kelvora::arcExtents(circle, lo3, hi3);
    EXPECT_NEAR(hi3.y, 1.0, 1e-14);
    EXPECT_NEAR(hi3.x, std::sqrt(0.5), 1e-14);
    EXPECT_NEAR(lo3.z, -std::sqrt(0.5), 1e-14);
}

}  // namespace
