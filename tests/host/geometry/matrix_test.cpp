// Matrices: rotations about an axis through a point, mirrors, scale(), inversion and plane frames.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

#include "gemat2d.h"
#include "gemat3d.h"
#include "geline2d.h"
#include "geline3d.h"
#include "geplane.h"
#include "gescl3d.h"

namespace {

constexpr double kPi = std::numbers::pi;

void expectPoint(const AcGePoint3d& got, const AcGePoint3d& want, double tol = 1e-12)
{
    EXPECT_NEAR(got.x, want.x, tol);
    EXPECT_NEAR(got.y, want.y, tol);
    EXPECT_NEAR(got.z, want.z, tol);
}

TEST(Matrix3d, RotationAboutAnAxisThroughAPoint)
{
    // A quarter turn about the vertical through (1, 1, 0).
    AcGeMatrix3d m = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0));
    expectPoint(m * AcGePoint3d(2, 1, 5), AcGePoint3d(1, 2, 5));
    expectPoint(m * AcGePoint3d(1, 1, -3), AcGePoint3d(1, 1, -3));
    // A third of a turn about the diagonal cycles the axes.
    AcGeMatrix3d c = AcGeMatrix3d::rotation(2 * kPi / 3, AcGeVector3d(1, 1, 1));
    expectPoint(c * AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0));
    expectPoint(c * AcGePoint3d(0, 0, 1), AcGePoint3d(1, 0, 0));
}

TEST(Matrix3d, RotationAboutZeroAxisIsIdentity)
{
    EXPECT_TRUE(AcGeMatrix3d::rotation(1.0, AcGeVector3d()).isEqualTo(AcGeMatrix3d::kIdentity));
}

TEST(Matrix3d, MirrorsInPlaneLineAndPoint)
{
    AcGePlane plane(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis);
    expectPoint(AcGeMatrix3d::mirroring(plane) * AcGePoint3d(1, 2, 3), AcGePoint3d(1, 2, 1));
    AcGeLine3d line(AcGePoint3d(0, 1, 0), AcGeVector3d::kXAxis);
    expectPoint(AcGeMatrix3d::mirroring(line) * AcGePoint3d(5, 3, 0), AcGePoint3d(5, -1, 0));
    expectPoint(AcGeMatrix3d::mirroring(AcGePoint3d(1, 1, 1)) * AcGePoint3d(2, 3, 4), AcGePoint3d(0, -1, -2));
    EXPECT_NEAR(AcGeMatrix3d::mirroring(plane).det(), -1.0, 1e-15);
}

TEST(Matrix3d, ScaleIsTheLargestAxisScale)
{
    EXPECT_NEAR(AcGeMatrix3d::scaling(2.5, AcGePoint3d(4, 5, 6)).scale(), 2.5, 1e-15);
    AcGeMatrix3d m;
    m.entry[0][0] = 2.0;
    m.entry[1][1] = 3.0;
    m.entry[2][2] = 0.5;
    EXPECT_NEAR(m.scale(), 3.0, 1e-15);
    EXPECT_NEAR(AcGeMatrix3d::rotation(0.7, AcGeVector3d(1, 2, 3)).scale(), 1.0, 1e-14);
    EXPECT_NEAR(AcGeMatrix3d::mirroring(AcGePlane::kYZPlane).scale(), 1.0, 1e-15);
}

TEST(Matrix3d, UniScaledOrthoRecognition)
{
    AcGeMatrix3d rotScale = AcGeMatrix3d::rotation(0.3, AcGeVector3d(1, 1, 0)) * AcGeMatrix3d::scaling(4.0);
    EXPECT_TRUE(rotScale.isUniScaledOrtho());
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2.0;
    EXPECT_FALSE(stretch.isUniScaledOrtho());
    EXPECT_TRUE(stretch.isScaledOrtho());
    AcGeMatrix3d shear;
    shear.entry[0][1] = 0.5;
    EXPECT_FALSE(shear.isScaledOrtho());
}

struct InverseCase {
    const char* name;
    AcGeMatrix3d matrix;
};

// Test output names the row, not its bytes.
void PrintTo(const InverseCase& c, std::ostream* os) { *os << c.name; }

class MatrixInverse : public ::testing::TestWithParam<InverseCase> {};

TEST_P(MatrixInverse, RoundTripsToIdentityAndBackToPoints)
{
    const AcGeMatrix3d& m = GetParam().matrix;
    ASSERT_FALSE(m.isSingular());
    AcGeMatrix3d inv = m.inverse();
    EXPECT_TRUE((m * inv).isEqualTo(AcGeMatrix3d::kIdentity, AcGeTol())) << GetParam().name;
    EXPECT_TRUE((inv * m).isEqualTo(AcGeMatrix3d::kIdentity, AcGeTol())) << GetParam().name;
    // The small scale's inverse moves by 1e5: rounding there reaches 1e-11.
    AcGePoint3d p(3.25, -1.5, 7.0);
    expectPoint(inv * (m * p), p, 1e-9);
}

AcGeMatrix3d sheared()
{
    AcGeMatrix3d m = AcGeMatrix3d::translation(AcGeVector3d(100, -200, 30));
    m.entry[0][1] = 0.75;
    m.entry[2][0] = -0.25;
    return m;
}

AcGeMatrix3d perspective()
{
    AcGeMatrix3d m;
    m.entry[3][2] = 0.1;
    return m;
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, MatrixInverse,
    ::testing::Values(InverseCase{"translation", AcGeMatrix3d::translation(AcGeVector3d(1e6, 2e6, -3))},
                      InverseCase{"rotation_about_point",
                                  AcGeMatrix3d::rotation(1.1, AcGeVector3d(0, 1, 1), AcGePoint3d(5, 6, 7))},
                      InverseCase{"small_scale", AcGeMatrix3d::scaling(1e-4, AcGePoint3d(10, 10, 0))},
                      InverseCase{"mirror", AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(1, 2, 3), AcGeVector3d(1, 1, 0)))},
                      InverseCase{"shear_and_move", sheared()}, InverseCase{"perspective", perspective()}),
    [](const ::testing::TestParamInfo<InverseCase>& info) { return std::string(info.param.name); });

TEST(Matrix3d, SingularMatrixIsLeftAsItIs)
{
    AcGeMatrix3d flat;
    flat.entry[2][2] = 0.0;
    EXPECT_TRUE(flat.isSingular());
    AcGeMatrix3d copy = flat;
    copy.invert();
    EXPECT_TRUE(copy.isEqualTo(flat));
    AcGeMatrix3d out = AcGeMatrix3d::kIdentity;
    EXPECT_FALSE(flat.inverse(out, 1e-10));
    EXPECT_TRUE(out.isEqualTo(AcGeMatrix3d::kIdentity));
}

TEST(Matrix3d, PlaneToWorldAndWorldToPlaneAreInverse)
{
    for (const AcGeVector3d& n : {AcGeVector3d(0, 0, 1), AcGeVector3d(0, 0, -1), AcGeVector3d(0.01, 0.01, 1),
                                  AcGeVector3d(1, 2, 3), AcGeVector3d(-1, 0, 0)}) {
        AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(n);
        AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(n);
        EXPECT_TRUE((toWorld * toPlane).isEqualTo(AcGeMatrix3d::kIdentity, AcGeTol()));
        // The plane's Z axis is the normal.
        AcGeVector3d z = toWorld * AcGeVector3d::kZAxis;
        EXPECT_TRUE(z.isEqualTo(n.normal(), AcGeTol()));
    }
    AcGePlane plane(AcGePoint3d(5, 5, 5), AcGeVector3d(0, 1, 1));
    AcGeMatrix3d both = AcGeMatrix3d::planeToWorld(plane) * AcGeMatrix3d::worldToPlane(plane);
    EXPECT_TRUE(both.isEqualTo(AcGeMatrix3d::kIdentity, AcGeTol()));
    expectPoint(AcGeMatrix3d::planeToWorld(plane) * AcGePoint3d::kOrigin, AcGePoint3d(5, 5, 5));
}

TEST(Matrix3d, AlignCoordSysMapsOneFrameOntoTheOther)
{
    AcGeMatrix3d m = AcGeMatrix3d::alignCoordSys(AcGePoint3d(1, 0, 0), AcGeVector3d::kXAxis, AcGeVector3d::kYAxis,
                                                 AcGeVector3d::kZAxis, AcGePoint3d(0, 0, 10), AcGeVector3d::kYAxis,
                                                 -AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
    expectPoint(m * AcGePoint3d(1, 0, 0), AcGePoint3d(0, 0, 10));
    expectPoint(m * AcGePoint3d(2, 0, 0), AcGePoint3d(0, 1, 10));
}

TEST(Matrix3d, ConvertToLocalGivesThePlaneTransform)
{
    // A rotation about the normal at an elevation stays in the plane.
    AcGeVector3d n(0, 0, -1);
    double elev = 4.0;
    AcGeMatrix3d m = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    AcGeMatrix2d local = m.convertToLocal(n, elev);
    EXPECT_TRUE(n.isEqualTo(AcGeVector3d(0, 0, -1)));
    EXPECT_NEAR(elev, 4.0, 1e-12);
    // OCS of -Z has x = -X: the world quarter turn is a clockwise quarter turn there.
    AcGePoint2d p = local * AcGePoint2d(1, 0);
    EXPECT_NEAR(p.x, 0.0, 1e-12);
    EXPECT_NEAR(p.y, -1.0, 1e-12);
}

TEST(Matrix2d, RotationMirrorScaleAndInverse)
{
    AcGeMatrix2d r = AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(1, 0));
    AcGePoint2d p = r * AcGePoint2d(2, 0);
    EXPECT_NEAR(p.x, 1.0, 1e-15);
    EXPECT_NEAR(p.y, 1.0, 1e-15);
    AcGeMatrix2d m = AcGeMatrix2d::mirroring(AcGeLine2d(AcGePoint2d(0, 1), AcGeVector2d(1, 1)));
    AcGePoint2d q = m * AcGePoint2d(0, 0);
    EXPECT_NEAR(q.x, -1.0, 1e-15);
    EXPECT_NEAR(q.y, 1.0, 1e-15);
    AcGeMatrix2d s = AcGeMatrix2d::scaling(3.0, AcGePoint2d(1, 1)) * r * m;
    EXPECT_NEAR(s.scale(), 3.0, 1e-14);
    EXPECT_TRUE((s * s.inverse()).isEqualTo(AcGeMatrix2d::kIdentity, AcGeTol()));
    EXPECT_TRUE(s.isUniScaledOrtho());
}

TEST(Scale3d, MatrixRoundTripAndInverse)
{
    AcGeScale3d s(2.0, -3.0, 0.5);
    AcGeMatrix3d m = AcGeMatrix3d::rotation(0.4, AcGeVector3d(1, 2, 3)) * AcGeMatrix3d(s);
    AcGeScale3d extracted;
    extracted.extractScale(m);
    EXPECT_TRUE(extracted.isEqualTo(AcGeScale3d(2.0, 3.0, 0.5), AcGeTol()));
    AcGeMatrix3d rest = m;
    AcGeScale3d removed;
    removed.removeScale(rest);
    EXPECT_TRUE(rest.isUniScaledOrtho());
    EXPECT_NEAR(rest.scale(), 1.0, 1e-12);
    EXPECT_TRUE((s * s.inverse()).isEqualTo(AcGeScale3d::kIdentity));
    EXPECT_FALSE(s.isProportional());
    EXPECT_TRUE(AcGeScale3d(4.0).isProportional());
    // A zero factor has no inverse and stays zero.
    EXPECT_NEAR(AcGeScale3d(0.0, 1.0, 1.0).inverse().sx, 0.0, 0.0);
}

}  // namespace
