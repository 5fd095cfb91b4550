// The kernel's zero length and the bulge of an arc: sweep sizes, turning senses, flat and closed arcs.
#include <gtest/gtest.h>

#include <cmath>

#include "gearc2d.h"
#include "geometry/polyline_kernel.h"
#include "polyline_fixtures.h"

namespace {

using kernel_test::deg;

TEST(GeomTolerance, IsTheKernelsZeroLength)
{
    EXPECT_DOUBLE_EQ(geomTolerance(), 1e-8);
}

struct ArcCase {
    const char* name;
    AcGePoint2d centre;
    double radius;
    double startDeg;
    double sweepDeg;
    bool clockwise;
};

std::ostream& operator<<(std::ostream& os, const ArcCase& c)
{
    return os << c.name;
}

class ArcToBulge : public ::testing::TestWithParam<ArcCase> {};

// The bulge is tan(sweep / 4) whatever the arc's size or place, negative when clockwise.
TEST_P(ArcToBulge, IsTheTangentOfAQuarterOfTheSweep)
{
    const ArcCase& c = GetParam();
    AcGeVector2d ref(std::cos(deg(c.startDeg)), std::sin(deg(c.startDeg)));
    AcGeCircArc2d arc(c.centre, c.radius, 0.0, deg(c.sweepDeg), ref, c.clockwise);
    double expected = std::tan(deg(c.sweepDeg) / 4.0) * (c.clockwise ? -1.0 : 1.0);
    EXPECT_NEAR(arcToBulge(arc), expected, 1e-9 * std::max(1.0, std::fabs(expected))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, ArcToBulge,
    ::testing::Values(ArcCase{"quarter", {0, 0}, 1.0, 0.0, 90.0, false},
                      ArcCase{"quarter_clockwise", {0, 0}, 1.0, 0.0, 90.0, true},
                      ArcCase{"small_far_from_origin", {512345.5, 6789012.25}, 3.0, 33.0, 10.0, false},
                      ArcCase{"semicircle", {2, -1}, 5.0, 90.0, 180.0, false},
                      ArcCase{"semicircle_clockwise", {2, -1}, 5.0, 90.0, 180.0, true},
                      ArcCase{"two_thirds_uses_r_plus_d", {0, 0}, 2.0, 10.0, 240.0, false},
                      ArcCase{"two_thirds_clockwise", {0, 0}, 2.0, 10.0, 240.0, true},
                      ArcCase{"almost_full", {1, 1}, 1.0, 0.0, 350.0, false},
                      ArcCase{"one_degree_large_radius", {0, 0}, 10000.0, 45.0, 1.0, true}),
    [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

// A sagitta below the kernel's zero length is a straight segment.
TEST(ArcToBulge, FlatArcBelowZeroLengthIsStraight)
{
    // Chord 2, sagitta r (1 - cos(a)) about 5e-9 for a = 1e-4 radians on r = 1.
    AcGeCircArc2d flat(AcGePoint2d(0, 0), 1.0, -1e-4, 1e-4);
    EXPECT_EQ(arcToBulge(flat), 0.0);
    // Just above the zero length the bulge survives.
    AcGeCircArc2d shallow(AcGePoint2d(0, 0), 1.0, -1e-3, 1e-3);
    EXPECT_NEAR(arcToBulge(shallow), std::tan(2e-3 / 4.0), 1e-12);
}

// A full circle has no chord and no bulge a segment could carry.
TEST(ArcToBulge, FullCircleGivesZero)
{
    AcGeCircArc2d circle(AcGePoint2d(3, 4), 2.0);
    EXPECT_EQ(arcToBulge(circle), 0.0);
}

}  // namespace
