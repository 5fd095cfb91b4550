// AcDbPolyline as a curve: parameters at vertices, distances along arcs, points on arcs, nearest points, area, segments.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dbpl.h"
#include "entity_test_support.h"
#include "gearc3d.h"
#include "gelnsg3d.h"

using entitytest::expectNear;

namespace {

constexpr double kPi = std::numbers::pi;

struct V {
    double x, y, bulge;
};

void fill(AcDbPolyline& pl, std::initializer_list<V> vertices, bool closed)
{
    unsigned int i = 0;
    for (const V& v : vertices)
        ASSERT_EQ(pl.addVertexAt(i++, AcGePoint2d(v.x, v.y), v.bulge), Acad::eOk);
    pl.setClosed(closed);
}

// A closed 10 x 10 square whose bottom edge is replaced by a half circle bulging downwards
// (bulge 1 from (0,0) to (10,0): counter-clockwise, centre (5,0), radius 5).
void roundedSquare(AcDbPolyline& pl)
{
    fill(pl, {{0, 0, 1.0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true);
}

}  // namespace

// ----- Parameters and distances ----------------------------------------------------------------------

struct ParamCase {
    const char* name;
    double param;
    double x, y;
    double dist;
};

class RoundedSquareParams : public ::testing::TestWithParam<ParamCase> {};

TEST_P(RoundedSquareParams, PointAndDistanceAtParam)
{
    const ParamCase& c = GetParam();
    AcDbPolyline pl;
    roundedSquare(pl);
    AcGePoint3d p;
    ASSERT_EQ(pl.getPointAtParam(c.param, p), Acad::eOk) << c.name;
    expectNear(p, AcGePoint3d(c.x, c.y, 0.0));
    double dist = 0.0;
    ASSERT_EQ(pl.getDistAtParam(c.param, dist), Acad::eOk) << c.name;
    EXPECT_NEAR(dist, c.dist, 1e-9) << c.name;
    double back = 0.0;
    ASSERT_EQ(pl.getParamAtDist(c.dist, back), Acad::eOk) << c.name;
    EXPECT_NEAR(back, c.param, 1e-9) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Polyline, RoundedSquareParams,
    ::testing::Values(ParamCase{"start", 0.0, 0, 0, 0.0},
                      // Half-way along the half circle by angle: its lowest point, a quarter turn of radius 5.
                      ParamCase{"arc_middle", 0.5, 5, -5, 5 * kPi / 2},
                      ParamCase{"vertex_1", 1.0, 10, 0, 5 * kPi},
                      ParamCase{"inside_line", 1.25, 10, 2.5, 5 * kPi + 2.5},
                      ParamCase{"vertex_3", 3.0, 0, 10, 5 * kPi + 20},
                      // The closing segment returns to vertex 0 at the end parameter 4.
                      ParamCase{"closing_middle", 3.5, 0, 5, 5 * kPi + 25},
                      ParamCase{"end_is_start", 4.0, 0, 0, 5 * kPi + 30}),
    [](const ::testing::TestParamInfo<ParamCase>& info) { return std::string(info.param.name); });

TEST(PolylineCurve, EndParamCountsTheClosingSegment)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    double end = 0.0;
    ASSERT_EQ(pl.getEndParam(end), Acad::eOk);
    EXPECT_DOUBLE_EQ(end, 4.0);
    pl.setClosed(false);
    ASSERT_EQ(pl.getEndParam(end), Acad::eOk);
    EXPECT_DOUBLE_EQ(end, 3.0);
}

TEST(PolylineCurve, ParamAtPointOnAnArcFollowsTheAngle)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    // 60 degrees into the half circle that starts at angle 180 and turns counter-clockwise.
    const double a = kPi + kPi / 3.0;
    AcGePoint3d onArc(5 + 5 * std::cos(a), 5 * std::sin(a), 0);
    double param = 0.0;
    ASSERT_EQ(pl.getParamAtPoint(onArc, param), Acad::eOk);
    EXPECT_NEAR(param, 1.0 / 3.0, 1e-12);
    double dist = 0.0;
    ASSERT_EQ(pl.getDistAtPoint(onArc, dist), Acad::eOk);
    EXPECT_NEAR(dist, 5 * kPi / 3.0, 1e-9);
}

TEST(PolylineCurve, PointOffTheCurveHasNoParameter)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    double param = 0.0;
    EXPECT_EQ(pl.getParamAtPoint(AcGePoint3d(5, 5, 0), param), Acad::eInvalidInput);
    EXPECT_EQ(pl.getParamAtPoint(AcGePoint3d(10, 5, 1), param), Acad::eInvalidInput);  // above the plane
}

TEST(PolylineCurve, ParametersOutsideTheRangeAreRefused)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    AcGePoint3d p;
    double d = 0.0;
    EXPECT_EQ(pl.getPointAtParam(-0.1, p), Acad::eInvalidInput);
    EXPECT_EQ(pl.getPointAtParam(4.1, p), Acad::eInvalidInput);
    EXPECT_EQ(pl.getDistAtParam(std::nan(""), d), Acad::eInvalidInput);
    EXPECT_EQ(pl.getParamAtDist(1000.0, d), Acad::eInvalidInput);
}

TEST(PolylineCurve, DistanceMatchesTheAnalyticLengthOfManyArcs)
{
    // 2000 quarter circles of radius 1, alternating in sense: a wave whose length is 2000 * pi / 2.
    AcDbPolyline pl;
    const double quarter = std::tan(kPi / 8.0);
    double x = 0.0;
    for (unsigned int i = 0; i <= 2000; ++i) {
        pl.addVertexAt(i, AcGePoint2d(x, (i % 2 == 0) ? 0.0 : 1.0), (i % 2 == 0) ? quarter : -quarter);
        x += 1.0;
    }
    double end = 0.0;
    ASSERT_EQ(pl.getEndParam(end), Acad::eOk);
    double length = 0.0;
    ASSERT_EQ(pl.getDistAtParam(end, length), Acad::eOk);
    EXPECT_NEAR(length, 2000 * kPi / 2.0, 1e-8);
    double mid = 0.0;
    ASSERT_EQ(pl.getParamAtDist(1000 * kPi / 2.0 + kPi / 4.0, mid), Acad::eOk);
    EXPECT_NEAR(mid, 1000.5, 1e-9);
}

TEST(PolylineCurve, LengthsFollowChangesOfTheVertices)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0}, {10, 0, 0}}, false);
    double length = 0.0;
    ASSERT_EQ(pl.getDistAtParam(1.0, length), Acad::eOk);
    EXPECT_DOUBLE_EQ(length, 10.0);
    pl.setPointAt(1, AcGePoint2d(0, 20));
    ASSERT_EQ(pl.getDistAtParam(1.0, length), Acad::eOk);
    EXPECT_DOUBLE_EQ(length, 20.0);
    pl.setBulgeAt(0, 1.0);  // a half circle on the 20 long chord
    ASSERT_EQ(pl.getDistAtParam(1.0, length), Acad::eOk);
    EXPECT_NEAR(length, 10.0 * kPi, 1e-12);
}

TEST(PolylineCurve, DerivativesFollowTheDirectionOfTravel)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    AcGeVector3d d;
    ASSERT_EQ(pl.getFirstDeriv(0.5, d), Acad::eOk);  // bottom of the half circle, going right
    EXPECT_GT(d.x, 0.0);
    EXPECT_NEAR(d.y, 0.0, 1e-12);
    ASSERT_EQ(pl.getFirstDeriv(2.5, d), Acad::eOk);  // top edge, going left
    EXPECT_LT(d.x, 0.0);
    AcGeVector3d second;
    ASSERT_EQ(pl.getSecondDeriv(0.5, second), Acad::eOk);  // towards the centre, upwards
    EXPECT_GT(second.y, 0.0);
}

TEST(PolylineCurve, PlaneAndElevationMoveThePoints)
{
    AcDbPolyline pl;
    fill(pl, {{1, 2, 0}, {3, 2, 0}}, false);
    pl.setElevation(5.0);
    AcGePoint3d p;
    ASSERT_EQ(pl.getPointAt(0, p), Acad::eOk);
    expectNear(p, AcGePoint3d(1, 2, 5));
    // Seen from below (normal -Z) the OCS X axis is -X: the plane point (1, 2) is at x = -1.
    ASSERT_EQ(pl.setNormal(AcGeVector3d(0, 0, -1)), Acad::eOk);
    ASSERT_EQ(pl.getPointAt(0, p), Acad::eOk);
    expectNear(p, AcGePoint3d(-1, 2, -5));
    double param = 0.0;
    EXPECT_EQ(pl.getParamAtPoint(AcGePoint3d(-2, 2, -5), param), Acad::eOk);
    EXPECT_NEAR(param, 0.5, 1e-12);
}

// ----- Nearest points --------------------------------------------------------------------------------

TEST(PolylineCurve, ClosestPointOnArcAndLines)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    AcGePoint3d p;
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(5, -20, 3), p), Acad::eOk);
    expectNear(p, AcGePoint3d(5, -5, 0));
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(12, 7, 0), p), Acad::eOk);
    expectNear(p, AcGePoint3d(10, 7, 0));
}

TEST(PolylineCurve, ClosestPointWithExtensionUsesTheEndSegments)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false);
    AcGePoint3d p;
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(-5, 1, 0), p, Adesk::kTrue), Acad::eOk);
    expectNear(p, AcGePoint3d(-5, 0, 0));
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(9, 25, 0), p, Adesk::kTrue), Acad::eOk);
    expectNear(p, AcGePoint3d(10, 25, 0));
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(-5, 1, 0), p, Adesk::kFalse), Acad::eOk);
    expectNear(p, AcGePoint3d(0, 0, 0));
}

TEST(PolylineCurve, ClosestPointAlongADirection)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0}, {10, 0, 0}}, false);
    AcGePoint3d p;
    // Along the normal the projection changes nothing.
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(4, 3, 7), AcGeVector3d::kZAxis, p), Acad::eOk);
    expectNear(p, AcGePoint3d(4, 0, 0));
    // Seen along (1, 1, 0), the point (7, 3, 0) lies over (4, 0, 0) of the line.
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(7, 3, 0), AcGeVector3d(1, 1, 0), p), Acad::eOk);
    expectNear(p, AcGePoint3d(4, 0, 0), 1e-9);
    EXPECT_EQ(pl.getClosestPointTo(AcGePoint3d(7, 3, 0), AcGeVector3d(0, 0, 0), p), Acad::eInvalidInput);
}

TEST(PolylineCurve, ClosestPointOnAnArcSeenAlongATiltedDirection)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    AcGePoint3d p;
    // From far below, looking up a little tilted in y: the lowest point of the half circle.
    ASSERT_EQ(pl.getClosestPointTo(AcGePoint3d(5, -30, 10), AcGeVector3d(0, 0.2, 1), p), Acad::eOk);
    EXPECT_NEAR(p.x, 5.0, 1e-6);
    EXPECT_NEAR(p.y, -5.0, 1e-6);
}

// ----- Area ------------------------------------------------------------------------------------------

struct AreaCase {
    const char* name;
    std::vector<V> vertices;
    bool closed;
    double area;
};

class PolylineArea : public ::testing::TestWithParam<AreaCase> {};

TEST_P(PolylineArea, SignedAreaMagnitudeWithArcs)
{
    const AreaCase& c = GetParam();
    AcDbPolyline pl;
    unsigned int i = 0;
    for (const V& v : c.vertices)
        pl.addVertexAt(i++, AcGePoint2d(v.x, v.y), v.bulge);
    pl.setClosed(c.closed);
    double area = 0.0;
    ASSERT_EQ(pl.getArea(area), Acad::eOk);
    EXPECT_NEAR(area, c.area, 1e-9) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Polyline, PolylineArea,
    ::testing::Values(
        AreaCase{"square_ccw", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, 100.0},
        AreaCase{"square_cw", {{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}}, true, 100.0},
        // The half circle bulging out of the square adds its area.
        AreaCase{"bulge_outwards", {{0, 0, 1.0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, 100.0 + 12.5 * kPi},
        AreaCase{"bulge_inwards", {{0, 0, -1.0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, 100.0 - 12.5 * kPi},
        AreaCase{"circle_of_two_arcs", {{0, 0, 1.0}, {2, 0, 1.0}}, true, kPi},
        // An open polyline is closed by its chord.
        AreaCase{"open_triangle", {{0, 0, 0}, {4, 0, 0}, {4, 3, 0}}, false, 6.0},
        AreaCase{"open_half_disc", {{0, 0, 1.0}, {2, 0, 0}}, false, kPi / 2.0},
        AreaCase{"far_from_origin",
                 {{600000, 2000000, 0}, {600010, 2000000, 0}, {600010, 2000010, 0}, {600000, 2000010, 0}},
                 true, 100.0}),
    [](const ::testing::TestParamInfo<AreaCase>& info) { return std::string(info.param.name); });

// ----- Segments --------------------------------------------------------------------------------------

TEST(PolylineSegments, KindsOfSegments)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0}, {1, 0, 0.5}, {2, 0, 0}, {2, 0, 0}}, false);
    EXPECT_EQ(pl.segType(0), AcDbPolyline::kLine);
    EXPECT_EQ(pl.segType(1), AcDbPolyline::kArc);
    EXPECT_EQ(pl.segType(2), AcDbPolyline::kCoincident);
    EXPECT_EQ(pl.segType(3), AcDbPolyline::kPoint);  // no segment starts at the last vertex
    EXPECT_EQ(pl.segType(4), AcDbPolyline::kEmpty);
    AcDbPolyline single;
    single.addVertexAt(0, AcGePoint2d(1, 1));
    EXPECT_EQ(single.segType(0), AcDbPolyline::kPoint);
}

TEST(PolylineSegments, LineAndArcSegmentsIn2dAnd3d)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    pl.setElevation(2.0);
    AcGeCircArc3d arc;
    ASSERT_EQ(pl.getArcSegAt(0, arc), Acad::eOk);
    expectNear(arc.center(), AcGePoint3d(5, 0, 2));
    EXPECT_NEAR(arc.radius(), 5.0, 1e-12);
    expectNear(arc.startPoint(), AcGePoint3d(0, 0, 2));
    expectNear(arc.endPoint(), AcGePoint3d(10, 0, 2));
    AcGeCircArc2d arc2;
    ASSERT_EQ(pl.getArcSegAt(0, arc2), Acad::eOk);
    expectNear(arc2.startPoint(), AcGePoint2d(0, 0));
    expectNear(arc2.endPoint(), AcGePoint2d(10, 0));
    AcGeLineSeg3d line;
    ASSERT_EQ(pl.getLineSegAt(3, line), Acad::eOk);  // the closing segment
    expectNear(line.startPoint(), AcGePoint3d(0, 10, 2));
    expectNear(line.endPoint(), AcGePoint3d(0, 0, 2));
    EXPECT_EQ(pl.getLineSegAt(0, line), Acad::eWrongObjectType);
    EXPECT_EQ(pl.getArcSegAt(7, arc), Acad::eInvalidIndex);
}

TEST(PolylineSegments, ClockwiseArcSegmentIn3dTurnsAboutTheReversedNormal)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, -1.0}, {10, 0, 0}}, false);
    AcGeCircArc3d arc;
    ASSERT_EQ(pl.getArcSegAt(0, arc), Acad::eOk);
    expectNear(arc.startPoint(), AcGePoint3d(0, 0, 0));
    expectNear(arc.endPoint(), AcGePoint3d(10, 0, 0));
    // A clockwise half circle from (0,0) to (10,0) passes above the chord.
    AcGePoint3d mid = arc.evalPoint(0.5 * (arc.startAng() + arc.endAng()));
    expectNear(mid, AcGePoint3d(5, 5, 0));
}

TEST(PolylineSegments, OnSegAtGivesTheParameter)
{
    AcDbPolyline pl;
    roundedSquare(pl);
    double param = 0.0;
    EXPECT_TRUE(pl.onSegAt(1, AcGePoint2d(10, 4), param));
    EXPECT_NEAR(param, 1.4, 1e-12);
    EXPECT_FALSE(pl.onSegAt(2, AcGePoint2d(10, 4), param));
    EXPECT_FALSE(pl.onSegAt(9, AcGePoint2d(10, 4), param));
}

// ----- Vertex API and bad input ---------------------------------------------------------------------

TEST(PolylineVertices, IndexOutOfRangeIsRefused)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0}, {1, 0, 0}}, false);
    AcGePoint2d p;
    double b = 0.0;
    double w1 = 0.0;
    double w2 = 0.0;
    EXPECT_EQ(pl.getPointAt(2, p), Acad::eInvalidIndex);
    EXPECT_EQ(pl.getBulgeAt(2, b), Acad::eInvalidIndex);
    EXPECT_EQ(pl.getWidthsAt(5, w1, w2), Acad::eInvalidIndex);
    EXPECT_EQ(pl.setPointAt(2, p), Acad::eInvalidIndex);
    EXPECT_EQ(pl.setBulgeAt(9, 1.0), Acad::eInvalidIndex);
    EXPECT_EQ(pl.removeVertexAt(2), Acad::eInvalidIndex);
    EXPECT_EQ(pl.addVertexAt(3, p), Acad::eInvalidIndex);
    EXPECT_EQ(pl.addVertexAt(2, p), Acad::eOk);  // appending is allowed
    EXPECT_EQ(pl.numVerts(), 3u);
}

TEST(PolylineVertices, WidthsDefaultToTheConstantWidth)
{
    AcDbPolyline pl;
    ASSERT_EQ(pl.setConstantWidth(0.5), Acad::eOk);
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(1, 0), 0.0, 0.2, 0.3);
    double sw = 0.0;
    double ew = 0.0;
    ASSERT_EQ(pl.getWidthsAt(0, sw, ew), Acad::eOk);
    EXPECT_DOUBLE_EQ(sw, 0.5);
    EXPECT_DOUBLE_EQ(ew, 0.5);
    double constant = 0.0;
    EXPECT_EQ(pl.getConstantWidth(constant), Acad::eInvalidInput);
    EXPECT_TRUE(pl.hasWidth());
    ASSERT_EQ(pl.setConstantWidth(0.25), Acad::eOk);
    ASSERT_EQ(pl.getConstantWidth(constant), Acad::eOk);
    EXPECT_DOUBLE_EQ(constant, 0.25);
    EXPECT_EQ(pl.setConstantWidth(-1.0), Acad::eInvalidInput);
}

TEST(PolylineVertices, EmptyAndSingleVertexPolylinesAnswerWithoutCrashing)
{
    AcDbPolyline empty;
    AcGePoint3d p;
    double d = 0.0;
    double area = -1.0;
    EXPECT_EQ(empty.getStartPoint(p), Acad::eDegenerateGeometry);
    EXPECT_EQ(empty.getEndParam(d), Acad::eDegenerateGeometry);
    EXPECT_EQ(empty.getPointAtParam(0.0, p), Acad::eDegenerateGeometry);
    EXPECT_EQ(empty.getArea(area), Acad::eOk);
    EXPECT_DOUBLE_EQ(area, 0.0);
    AcDbPolyline single;
    single.addVertexAt(0, AcGePoint2d(3, 4));
    ASSERT_EQ(single.getPointAtParam(0.0, p), Acad::eOk);
    expectNear(p, AcGePoint3d(3, 4, 0));
    ASSERT_EQ(single.getDistAtParam(0.0, d), Acad::eOk);
    EXPECT_DOUBLE_EQ(d, 0.0);
    ASSERT_EQ(single.getClosestPointTo(AcGePoint3d(9, 9, 9), p), Acad::eOk);
    expectNear(p, AcGePoint3d(3, 4, 0));
    AcDbVoidPtrArray pieces;
    AcGeDoubleArray params;
    params.append(0.0);
    EXPECT_EQ(single.getSplitCurves(params, pieces), Acad::eDegenerateGeometry);
    EXPECT_TRUE(pieces.isEmpty());
}

TEST(PolylineVertices, ReverseCurveRunsBackwards)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0.3}, {10, 0, -0.2}, {10, 10, 0.1}}, true);
    pl.setWidthsAt(0, 1.0, 2.0);
    ASSERT_EQ(pl.reverseCurve(), Acad::eOk);
    AcGePoint2d p;
    double b = 0.0;
    pl.getPointAt(0, p);
    expectNear(p, AcGePoint2d(10, 10));
    // Bulges (b0, b1, b2) become (-b1, -b0, -b2).
    pl.getBulgeAt(0, b);
    EXPECT_DOUBLE_EQ(b, 0.2);
    pl.getBulgeAt(1, b);
    EXPECT_DOUBLE_EQ(b, -0.3);
    pl.getBulgeAt(2, b);
    EXPECT_DOUBLE_EQ(b, -0.1);
    double sw = 0.0;
    double ew = 0.0;
    pl.getWidthsAt(1, sw, ew);  // old segment 0 reversed
    EXPECT_DOUBLE_EQ(sw, 2.0);
    EXPECT_DOUBLE_EQ(ew, 1.0);
    ASSERT_EQ(pl.reverseCurve(), Acad::eOk);
    pl.getBulgeAt(0, b);
    EXPECT_DOUBLE_EQ(b, 0.3);
}

TEST(PolylineCurve, ExtendLengthensTheEndSegments)
{
    AcDbPolyline pl;
    fill(pl, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false);
    ASSERT_EQ(pl.extend(2.5), Acad::eOk);
    AcGePoint3d end;
    pl.getEndPoint(end);
    expectNear(end, AcGePoint3d(10, 15, 0));
    ASSERT_EQ(pl.extend(Adesk::kTrue, AcGePoint3d(-4, 0, 0)), Acad::eOk);
    AcGePoint3d start;
    pl.getStartPoint(start);
    expectNear(start, AcGePoint3d(-4, 0, 0));
    EXPECT_EQ(pl.extend(1.0), Acad::eInvalidInput);  // inside the curve
    EXPECT_EQ(pl.extend(Adesk::kTrue, AcGePoint3d(-4, 3, 0)), Acad::eInvalidInput);  // off the extension
    pl.setClosed(true);
    EXPECT_EQ(pl.extend(5.0), Acad::eNotApplicable);
}
