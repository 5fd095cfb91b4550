// intersectWith of curve entities: lines, arcs, circles, polylines, rays and xlines, extended and projected.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dbents.h"
#include "dbpl.h"
#include "dbray.h"
#include "dbxline.h"
#include "entity_test_support.h"
#include "geplane.h"

using entitytest::expectNear;

namespace {

void square(AcDbPolyline& pl, double size, bool closed = true)
{
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(size, 0));
    pl.addVertexAt(2, AcGePoint2d(size, size));
    pl.addVertexAt(3, AcGePoint2d(0, size));
    pl.setClosed(closed);
}

}  // namespace

struct ExtendCase {
    const char* name;
    AcDb::Intersect type;
    int count;
};

class LineExtension : public ::testing::TestWithParam<ExtendCase> {};

// "this" ends at x = 5 before the argument's line x = 8; the argument ends at y = 2 above y = 0.
TEST_P(LineExtension, ExtendsTheRightOperand)
{
    const ExtendCase& c = GetParam();
    AcDbLine self(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0));
    AcDbLine arg(AcGePoint3d(8, 2, 0), AcGePoint3d(8, 6, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(self.intersectWith(&arg, c.type, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), c.count) << c.name;
    if (c.count == 1)
        expectNear(pts[0], AcGePoint3d(8, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Intersect, LineExtension,
                         ::testing::Values(ExtendCase{"both_unextended", AcDb::kOnBothOperands, 0},
                                           ExtendCase{"only_this", AcDb::kExtendThis, 0},
                                           ExtendCase{"only_arg", AcDb::kExtendArg, 0},
                                           ExtendCase{"both", AcDb::kExtendBoth, 1}),
                         [](const ::testing::TestParamInfo<ExtendCase>& info) { return std::string(info.param.name); });

TEST(Intersect, ExtendThisReachesAPolyline)
{
    AcDbLine stroke(AcGePoint3d(5, 5, 0), AcGePoint3d(5, 6, 0));
    AcDbPolyline limit;
    limit.addVertexAt(0, AcGePoint2d(0, 20));
    limit.addVertexAt(1, AcGePoint2d(10, 20));
    AcGePoint3dArray pts;
    ASSERT_EQ(stroke.intersectWith(&limit, AcDb::kExtendThis, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(5, 20, 0));
    pts.setLogicalLength(0);
    ASSERT_EQ(stroke.intersectWith(&limit, AcDb::kOnBothOperands, pts), Acad::eOk);
    EXPECT_EQ(pts.length(), 0);
}

TEST(Intersect, ExtendedOpenPolylineContinuesItsEndSegmentsOnly)
{
    AcDbPolyline pl;
    square(pl, 10.0, false);  // (0,0) (10,0) (10,10) (0,10), open
    AcDbLine probe(AcGePoint3d(-5, -3, 0), AcGePoint3d(-5, 30, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(pl.intersectWith(&probe, AcDb::kExtendThis, pts), Acad::eOk);
    // The first segment continues left along y = 0, the last left along y = 10.
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(-5, 0, 0));
    expectNear(pts[1], AcGePoint3d(-5, 10, 0));
}

TEST(Intersect, SharedVertexGivesOnePoint)
{
    AcDbPolyline pl;
    square(pl, 10.0);
    // The diagonal passes through the corners (0,0) and (10,10), each shared by two segments.
    AcDbLine diagonal(AcGePoint3d(-1, -1, 0), AcGePoint3d(11, 11, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(pl.intersectWith(&diagonal, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(0, 0, 0));
    expectNear(pts[1], AcGePoint3d(10, 10, 0));
}

TEST(Intersect, PointsComeInTheOrderOfThisCurve)
{
    AcDbPolyline pl;
    square(pl, 10.0);
    AcDbXline cutter;
    cutter.setBasePoint(AcGePoint3d(5, 0, 0));
    cutter.setUnitDir(AcGeVector3d::kYAxis);
    AcGePoint3dArray pts;
    ASSERT_EQ(pl.intersectWith(&cutter, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(5, 0, 0));   // on segment 0
    expectNear(pts[1], AcGePoint3d(5, 10, 0));  // on segment 2
}

TEST(Intersect, TangentLineAndCircleMeetOnce)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcDbLine tangent(AcGePoint3d(-3, 1, 0), AcGePoint3d(3, 1, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(circle.intersectWith(&tangent, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(0, 1, 0));
    AcDbLine secant(AcGePoint3d(-3, 0.5, 0), AcGePoint3d(3, 0.5, 0));
    pts.setLogicalLength(0);
    ASSERT_EQ(circle.intersectWith(&secant, AcDb::kOnBothOperands, pts), Acad::eOk);
    EXPECT_EQ(pts.length(), 2);
}

TEST(Intersect, TangentCirclesMeetOnce)
{
    AcDbCircle a(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcDbCircle b(AcGePoint3d(3, 0, 0), AcGeVector3d::kZAxis, 2.0);
    AcGePoint3dArray pts;
    ASSERT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(1, 0, 0));
    AcDbCircle inner(AcGePoint3d(0.5, 0, 0), AcGeVector3d::kZAxis, 0.5);  // inside, touching at (1, 0)
    pts.setLogicalLength(0);
    ASSERT_EQ(a.intersectWith(&inner, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(1, 0, 0));
}

TEST(Intersect, ArcSegmentsOfPolylinesAreExact)
{
    // A disc of radius 5 about (5, 0) made of two half circles, cut by the line x = 8.
    AcDbPolyline disc;
    disc.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    disc.addVertexAt(1, AcGePoint2d(10, 0), 1.0);
    disc.setClosed(true);
    AcDbLine cut(AcGePoint3d(8, -10, 0), AcGePoint3d(8, 10, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(disc.intersectWith(&cut, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(8, -4, 0));
    expectNear(pts[1], AcGePoint3d(8, 4, 0));
}

TEST(Intersect, ArcOnlyCountsItsOwnSweep)
{
    // The upper half of the unit circle.
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, 0.0, std::numbers::pi);
    AcDbLine vertical(AcGePoint3d(0, -5, 0), AcGePoint3d(0, 5, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(arc.intersectWith(&vertical, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(0, 1, 0));
    pts.setLogicalLength(0);
    ASSERT_EQ(arc.intersectWith(&vertical, AcDb::kExtendThis, pts), Acad::eOk);
    EXPECT_EQ(pts.length(), 2);  // extended, the arc is its circle
}

TEST(Intersect, RayFromInsideCrossesOnce)
{
    AcDbPolyline pl;
    square(pl, 10.0);
    AcDbRay ray;
    ray.setBasePoint(AcGePoint3d(5, 5, 0));
    ray.setUnitDir(AcGeVector3d(1, 0, 0));
    AcGePoint3dArray pts;
    ASSERT_EQ(ray.intersectWith(&pl, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(10, 5, 0));
}

TEST(Intersect, ProjectionPlaneFindsApparentCrossingsOnThisEntity)
{
    AcDbPolyline pl;
    square(pl, 10.0);
    // A line 3 units above the square: in space it meets nothing.
    AcDbLine above(AcGePoint3d(5, -5, 3), AcGePoint3d(5, 15, 3));
    AcGePoint3dArray pts;
    ASSERT_EQ(pl.intersectWith(&above, AcDb::kOnBothOperands, pts), Acad::eOk);
    EXPECT_EQ(pts.length(), 0);
    AcGePlane xy(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis);
    ASSERT_EQ(pl.intersectWith(&above, AcDb::kOnBothOperands, xy, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(5, 0, 0));  // points of the polyline, not of the line
    expectNear(pts[1], AcGePoint3d(5, 10, 0));
    pts.setLogicalLength(0);
    ASSERT_EQ(above.intersectWith(&pl, AcDb::kOnBothOperands, xy, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(5, 0, 3));  // now the line's own points
}

TEST(Intersect, ProjectedArcsStayExact)
{
    AcDbPolyline disc;
    disc.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    disc.addVertexAt(1, AcGePoint2d(10, 0), 1.0);
    disc.setClosed(true);
    disc.setElevation(-2.0);
    AcDbLine cut(AcGePoint3d(8, -10, 4), AcGePoint3d(8, 10, 4));
    AcGePoint3dArray pts;
    AcGePlane xy(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis);
    ASSERT_EQ(disc.intersectWith(&cut, AcDb::kOnBothOperands, xy, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], AcGePoint3d(8, -4, -2));
    expectNear(pts[1], AcGePoint3d(8, 4, -2));
}

TEST(Intersect, PolylineAgainstPolylineWithLargeCoordinates)
{
    // Survey coordinates: the crossing is still found once.
    AcDbPolyline a;
    a.addVertexAt(0, AcGePoint2d(600000.0, 2000000.0));
    a.addVertexAt(1, AcGePoint2d(600100.0, 2000100.0));
    AcDbPolyline b;
    b.addVertexAt(0, AcGePoint2d(600000.0, 2000100.0));
    b.addVertexAt(1, AcGePoint2d(600100.0, 2000000.0));
    AcGePoint3dArray pts;
    ASSERT_EQ(a.intersectWith(&b, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], AcGePoint3d(600050.0, 2000050.0, 0.0), 1e-6);
    double param = 0.0;
    EXPECT_EQ(a.getParamAtPoint(pts[0], param), Acad::eOk);
    EXPECT_NEAR(param, 0.5, 1e-9);
}

TEST(Intersect, NonCurvesAndNullAreRefused)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcDbPoint point(AcGePoint3d(0, 0, 0));
    AcGePoint3dArray pts;
    EXPECT_EQ(line.intersectWith(&point, AcDb::kOnBothOperands, pts), Acad::eNotApplicable);
    EXPECT_EQ(line.intersectWith(nullptr, AcDb::kOnBothOperands, pts), Acad::eInvalidInput);
    EXPECT_EQ(pts.length(), 0);
}
