// Planes: construction forms, signed distances, coplanarity and intersections.
#include <gtest/gtest.h>

#include "geline3d.h"
#include "gelnsg3d.h"
#include "geplane.h"

namespace {

TEST(Plane, ThreePointsAndCoefficientsDescribeTheSamePlane)
{
    AcGePlane byPoints(AcGePoint3d(1, 0, 2), AcGePoint3d(0, 0, 2), AcGePoint3d(0, 1, 2));
    AcGePlane byCoefficients(0, 0, 2, -4);
    EXPECT_TRUE(byPoints.normal().isEqualTo(AcGeVector3d::kZAxis));
    EXPECT_TRUE(byPoints.isCoplanarTo(byCoefficients));
    EXPECT_TRUE(byCoefficients.pointOnPlane().isEqualTo(AcGePoint3d(0, 0, 2)));
    double a, b, c, d;
    byPoints.getCoefficients(a, b, c, d);
    EXPECT_NEAR(c, 1.0, 1e-15);
    EXPECT_NEAR(d, -2.0, 1e-15);
    EXPECT_NEAR(byPoints.signedDistanceTo(AcGePoint3d(5, 5, -1)), -3.0, 1e-15);
}

TEST(Plane, NormalPlaneTakesTheArbitraryAxisFrame)
{
    AcGePlane plane(AcGePoint3d(2, 3, 4), AcGeVector3d(0, 0, -2));
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    EXPECT_TRUE(u.isEqualTo(AcGeVector3d(-1, 0, 0)));
    EXPECT_TRUE(v.isEqualTo(AcGeVector3d(0, 1, 0)));
    EXPECT_TRUE(plane.normal().isEqualTo(AcGeVector3d(0, 0, -1)));
    // Plane coordinates of a point: along those axes from the origin.
    AcGePoint2d uv = AcGePoint3d(0, 5, 4).convert2d(plane);
    EXPECT_NEAR(uv.x, 2.0, 1e-15);
    EXPECT_NEAR(uv.y, 2.0, 1e-15);
}

TEST(Plane, DegenerateDefinitionsStillGiveAPlane)
{
    AcGePlane zeroNormal(AcGePoint3d(0, 0, 1), AcGeVector3d());
    EXPECT_TRUE(zeroNormal.normal().isEqualTo(AcGeVector3d::kZAxis));
    AcGePlane collinear(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0));
    EXPECT_TRUE(collinear.normal().isUnitLength());
}

TEST(Plane, IntersectionsWithLinesAndPlanes)
{
    AcGePlane plane(AcGePoint3d(0, 0, 1), AcGeVector3d(0, 0, 1));
    AcGePoint3d p;
    ASSERT_TRUE(plane.intersectWith(AcGeLine3d(AcGePoint3d(1, 1, 0), AcGeVector3d(1, 0, 1)), p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(2, 1, 1)));
    EXPECT_FALSE(plane.intersectWith(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(0.5, 0, 0.5)), p));
    AcGeLine3d line;
    ASSERT_TRUE(plane.intersectWith(AcGePlane(AcGePoint3d(3, 0, 0), AcGeVector3d(1, 0, 0)), line));
    EXPECT_TRUE(line.isOn(AcGePoint3d(3, 17, 1)));
    EXPECT_TRUE(line.direction().isParallelTo(AcGeVector3d::kYAxis));
    EXPECT_FALSE(plane.intersectWith(AcGePlane::kXYPlane, line));
}

TEST(Plane, ClosestPointAndOn)
{
    AcGePlane plane(AcGePoint3d(1, 1, 1), AcGeVector3d(1, 1, 1));
    AcGePoint3d foot = plane.closestPointTo(AcGePoint3d(0, 0, 0));
    EXPECT_TRUE(foot.isEqualTo(AcGePoint3d(1, 1, 1)));
    EXPECT_TRUE(plane.isOn(AcGePoint3d(3, 0, 0)));
    EXPECT_FALSE(plane.isOn(AcGePoint3d(3, 0, 1e-6)));
    EXPECT_TRUE(plane.isKindOf(AcGe::kPlanarEnt));
    EXPECT_TRUE(plane.isKindOf(AcGe::kSurface));
}

}  // namespace
