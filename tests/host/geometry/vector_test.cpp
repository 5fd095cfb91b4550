// Vectors and points: angles with a reference vector, normalisation of degenerate vectors, direction tests.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

#include "gegbl.h"
#include "gemat3d.h"
#include "geplane.h"
#include "gepnt3d.h"
#include "gevec3d.h"
#include "kelvora/scoped_tolerance.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct AngleCase {
    const char* name;
    AcGeVector3d from, to, ref;
    double angle;
};

// Test output names the row, not its bytes.
void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.name; }

class AngleToWithReference : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleToWithReference, IsCounterClockwiseSeenFromTheReference)
{
    const AngleCase& c = GetParam();
    EXPECT_NEAR(c.from.angleTo(c.to, c.ref), c.angle, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, AngleToWithReference,
    ::testing::Values(AngleCase{"quarter_ccw", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, kPi / 2},
                      AngleCase{"quarter_cw_is_three_quarters", {1, 0, 0}, {0, -1, 0}, {0, 0, 1}, 3 * kPi / 2},
                      AngleCase{"reference_down_reverses", {1, 0, 0}, {0, 1, 0}, {0, 0, -1}, 3 * kPi / 2},
                      AngleCase{"same_direction", {2, 0, 0}, {5, 0, 0}, {0, 0, 1}, 0.0},
                      AngleCase{"opposite", {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, kPi},
                      AngleCase{"just_below_full_turn", {1, 0, 0}, {std::cos(-0.001), std::sin(-0.001), 0}, {0, 0, 1},
                                2 * kPi - 0.001},
                      AngleCase{"label_direction_about_x_normal", {0, 1, 0}, {0, 0, 1}, {1, 0, 0}, kPi / 2}),
    [](const ::testing::TestParamInfo<AngleCase>& info) { return std::string(info.param.name); });

TEST(Vector, UnsignedAngleToIgnoresTurningSense)
{
    EXPECT_NEAR(AcGeVector3d(1, 0, 0).angleTo(AcGeVector3d(0, -3, 0)), kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector2d(1, 0).angleTo(AcGeVector2d(-1, -1)), 3 * kPi / 4, 1e-15);
}

TEST(Vector, TwoDAngleIsMeasuredFromXInZeroToTwoPi)
{
    EXPECT_NEAR(AcGeVector2d(0, -1).angle(), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector2d(-1, 0).angle(), kPi, 1e-15);
    EXPECT_NEAR(AcGeVector2d(1, 0).angle(), 0.0, 1e-15);
}

TEST(Vector, NormalOfZeroVectorIsZero)
{
    AcGeVector3d zero;
    EXPECT_TRUE(zero.normal().isZeroLength());
    AcGeError flag = AcGe::kOk;
    zero.normalize(AcGeContext::gTol, flag);
    EXPECT_EQ(flag, AcGe::k0This);
    EXPECT_TRUE(AcGeVector2d().normal().isZeroLength());
    EXPECT_TRUE(zero.perpVector().isZeroLength());
}

TEST(Vector, NormalHasUnitLength)
{
    AcGeVector3d v(3, 4, 12);
    EXPECT_NEAR(v.normal().length(), 1.0, 1e-15);
    EXPECT_NEAR(v.normal().z, 12.0 / 13.0, 1e-15);
}

TEST(Vector, PerpVectorOfXIsY)
{
    EXPECT_TRUE(AcGeVector3d::kXAxis.perpVector().isEqualTo(AcGeVector3d::kYAxis));
    AcGeVector3d v(0.3, -2.0, 0.7);
    EXPECT_NEAR(v.perpVector().dotProduct(v), 0.0, 1e-15);
    EXPECT_NEAR(v.perpVector().length(), 1.0, 1e-15);
    EXPECT_TRUE(AcGeVector2d(1, 0).perpVector().isEqualTo(AcGeVector2d(0, 1)));
}

TEST(Vector, DirectionTestsUseTheVectorTolerance)
{
    AcGeVector3d d(1, 0, 0);
    AcGeVector3d slightlyOff(1, 1e-5, 0);
    EXPECT_FALSE(d.isCodirectionalTo(slightlyOff));
    AcGeTol loose;
    loose.setEqualVector(1e-4);
    EXPECT_TRUE(d.isCodirectionalTo(slightlyOff, loose));
    EXPECT_TRUE(d.isParallelTo(-slightlyOff, loose));
    EXPECT_FALSE(d.isCodirectionalTo(-slightlyOff, loose));
    EXPECT_TRUE(d.isPerpendicularTo(AcGeVector3d(0, 0, 5)));
    EXPECT_FALSE(d.isParallelTo(AcGeVector3d()));
}

TEST(Vector, RotateByFollowsTheRightHandRule)
{
    AcGeVector3d v(1, 0, 0);
    v.rotateBy(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_TRUE(v.isEqualTo(AcGeVector3d(0, 1, 0)));
    AcGeVector2d w(1, 0);
    w.rotateBy(-kPi / 2);
    EXPECT_TRUE(w.isEqualTo(AcGeVector2d(0, -1)));
}

TEST(Vector, ProjectionsOntoAPlane)
{
    AcGeVector3d v(1, 2, 3);
    EXPECT_TRUE(v.orthoProject(AcGeVector3d::kZAxis).isEqualTo(AcGeVector3d(1, 2, 0)));
    // Along (1, 0, 1): the z part is removed by sliding along x.
    EXPECT_TRUE(v.project(AcGeVector3d::kZAxis, AcGeVector3d(1, 0, 1)).isEqualTo(AcGeVector3d(-2, 2, 0)));
}

TEST(Point, ProjectionsAndMirror)
{
    AcGePlane plane(AcGePoint3d(0, 0, 5), AcGeVector3d::kZAxis);
    AcGePoint3d p(1, 2, 8);
    EXPECT_TRUE(p.orthoProject(plane).isEqualTo(AcGePoint3d(1, 2, 5)));
    EXPECT_TRUE(p.project(plane, AcGeVector3d(1, 0, 1)).isEqualTo(AcGePoint3d(-2, 2, 5)));
    AcGePoint3d m = p;
    m.mirror(plane);
    EXPECT_TRUE(m.isEqualTo(AcGePoint3d(1, 2, 2)));
    // Projection along a direction inside the plane leaves the point alone.
    EXPECT_TRUE(p.project(plane, AcGeVector3d(1, 0, 0)).isEqualTo(p));
}

TEST(Point, EqualityFollowsTheGlobalTolerance)
{
    AcGePoint3d a(0, 0, 0), b(1e-6, 0, 0);
    EXPECT_FALSE(a == b);
    {
        AcGeTol loose;
        loose.setEqualPoint(1e-5);
        kelvora::ScopedTolerance scope(loose);
        EXPECT_TRUE(a == b);
    }
    EXPECT_FALSE(a == b);
    EXPECT_DOUBLE_EQ(AcGeContext::gTol.equalPoint(), 1e-10);
}

TEST(Point, ConvertToPlaneCoordinatesAndBack)
{
    AcGePlane plane(AcGePoint3d(1, 1, 1), AcGeVector3d(1, 2, 2));
    AcGePoint3d p = plane.evalPoint(AcGePoint2d(3.5, -2.0));
    AcGePoint2d uv = p.convert2d(plane);
    EXPECT_NEAR(uv.x, 3.5, 1e-12);
    EXPECT_NEAR(uv.y, -2.0, 1e-12);
    EXPECT_TRUE(AcGePoint3d(plane, uv).isEqualTo(p, AcGeTol()));
}

}  // namespace
