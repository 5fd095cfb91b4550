// The arbitrary-axis frame of a normal against the DXF rule, and WCS<->OCS round trips.
#include <gtest/gtest.h>

#include <ostream>

#include "gemat3d.h"
#include "kelvora/ocs.h"

namespace {

// Expected axes and the WCS image of the OCS point (1, 2, 3), as given by an
// independent implementation of the DXF rule (ezdxf's OCS class).
struct OcsCase {
    const char* name;
    AcGeVector3d normal;
    AcGeVector3d xAxis, yAxis;
    AcGePoint3d wcsOf123;
};

// Test output names the row, not its bytes.
void PrintTo(const OcsCase& c, std::ostream* os) { *os << c.name; }

class ArbitraryAxis : public ::testing::TestWithParam<OcsCase> {};

void expectNear(const AcGeVector3d& got, const AcGeVector3d& want, const char* what)
{
    EXPECT_NEAR(got.x, want.x, 1e-12) << what;
    EXPECT_NEAR(got.y, want.y, 1e-12) << what;
    EXPECT_NEAR(got.z, want.z, 1e-12) << what;
}

TEST_P(ArbitraryAxis, MatchesTheDxfRule)
{
    const OcsCase& c = GetParam();
    AcGeVector3d x, y, z;
    kelvora::ocsAxes(c.normal, x, y, z);
    expectNear(x, c.xAxis, "x axis");
    expectNear(y, c.yAxis, "y axis");
    expectNear(z, c.normal.normal(), "z axis");
    expectNear(kelvora::ocsToWcs(AcGePoint3d(1, 2, 3), c.normal).asVector(), c.wcsOf123.asVector(), "ocs->wcs");
}

TEST_P(ArbitraryAxis, RoundTripsPointsAndMatchesPlaneToWorld)
{
    const OcsCase& c = GetParam();
    AcGePoint3d p(12.5, -7.25, 3.0);
    AcGePoint3d back = kelvora::ocsToWcs(kelvora::wcsToOcs(p, c.normal), c.normal);
    EXPECT_NEAR(back.distanceTo(p), 0.0, 1e-12);
    AcGePoint3d viaMatrix = AcGeMatrix3d::planeToWorld(c.normal) * AcGePoint3d(1, 2, 3);
    EXPECT_NEAR(viaMatrix.distanceTo(c.wcsOf123), 0.0, 1e-12);
    // perpVector follows the same rule.
    expectNear(c.normal.perpVector(), c.xAxis, "perpVector");
}

INSTANTIATE_TEST_SUITE_P(
    Dxf, ArbitraryAxis,
    ::testing::Values(
        OcsCase{"world_z", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {1, 2, 3}},
        OcsCase{"minus_z_flips_x", {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, {-1, 2, -3}},
        OcsCase{"along_x", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {3, 1, 2}},
        OcsCase{"along_y", {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {-1, 3, 2}},
        OcsCase{"near_z_below_one_64th",
                {0.01, 0.01, 1},
                {0.9999500037496876, 0.0, -0.009999500037496875},
                {-9.99850023746063e-05, 0.9999500087484378, -0.009998500237460631},
                {1.0297470341948634, 2.0298970179468006, 2.9697035444800837}},
        OcsCase{"x_just_above_one_64th",
                {0.02, 0, 1},
                {0.0, 1.0, 0.0},
                {-0.9998000599800071, 0.0, 0.01999600119960014},
                {-1.9396121163612137, 1.0, 3.0393921823392214}},
        OcsCase{"diagonal",
                {1, 1, 1},
                {-0.7071067811865476, 0.7071067811865476, 0.0},
                {-0.4082482904638631, -0.4082482904638631, 0.8164965809277261},
                {0.20844744545460392, 1.622661007827699, 3.36504396942433}},
        OcsCase{"downward_oblique",
                {-0.3, 0.5, -0.8},
                {-0.8574929257125442, -0.5144957554275266, 0.0},
                {-0.41577535720514236, 0.6929589286752371, 0.5890150893739515},
                {-2.5981809302198187, 2.3866509187512635, -1.2463359281774025}}),
    [](const ::testing::TestParamInfo<OcsCase>& info) { return std::string(info.param.name); });

TEST(ArbitraryAxisEdge, ZeroNormalIsTakenAsWorldZ)
{
    AcGeVector3d x, y, z;
    kelvora::ocsAxes(AcGeVector3d(0, 0, 0), x, y, z);
    EXPECT_TRUE(x.isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(y.isEqualTo(AcGeVector3d::kYAxis));
    EXPECT_TRUE(z.isEqualTo(AcGeVector3d::kZAxis));
}

TEST(ArbitraryAxisEdge, VectorsIgnoreTheOrigin)
{
    AcGeVector3d n(0, 0, -1);
    AcGeVector3d v = kelvora::wcsToOcs(AcGeVector3d(1, 0, 0), n);
    EXPECT_TRUE(v.isEqualTo(AcGeVector3d(-1, 0, 0)));
    EXPECT_TRUE(kelvora::ocsToWcs(v, n).isEqualTo(AcGeVector3d(1, 0, 0)));
}

}  // namespace
