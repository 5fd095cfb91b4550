// Splitting a fan polygon at an area: straight segments by interpolation, arcs by bisection on their circle.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

#include "division/fan_split.h"
#include "module/division/division_fixture.h"

namespace {

using division_test::areaOf;
using division_test::makeSurface;
using division_test::pointsOf;
using division_test::Pt;
using division_test::samePoints;
using kelvora::division::splitFanAtArea;

class FanSplit : public division_test::DivisionTest {
protected:
    void split(const std::vector<Pt>& fan, double area)
    {
        m_fan = makeSurface(fan);
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        splitFanAtArea(m_fan.get(), area, rest, part);
        m_rest.reset(rest);
        m_part.reset(part);
        ASSERT_TRUE(m_rest && m_part);
        EXPECT_TRUE(m_rest->isClosed());
        EXPECT_TRUE(m_part->isClosed());
    }
    std::unique_ptr<NESurface> m_fan;
    std::unique_ptr<NESurface> m_rest;
    std::unique_ptr<NESurface> m_part;
};

struct StraightCase {
    const char* name;
    std::vector<Pt> fan;
    double area;
    std::vector<Pt> part;
};

// Failures name the row.
void PrintTo(const StraightCase& c, std::ostream* os)
{
    *os << c.name;
}

class FanSplitStraight : public FanSplit, public ::testing::WithParamInterface<StraightCase> {};

TEST_P(FanSplitStraight, CutsTheSegmentWhereTheAreaIsReached)
{
    const StraightCase& c = GetParam();
    split(c.fan, c.area);
    EXPECT_NEAR(areaOf(*m_part), c.area, 1e-9) << c.name;
    EXPECT_NEAR(areaOf(*m_part) + areaOf(*m_rest), areaOf(*m_fan), 1e-9) << c.name;
    EXPECT_TRUE(samePoints(*m_part, c.part)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FanSplitStraight,
    ::testing::Values(
        StraightCase{"square_quarter", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 25.0, {{0, 0}, {10, 0}, {10, 5}}},
        StraightCase{"square_seventy", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 70.0,
                     {{0, 0}, {10, 0}, {10, 10}, {6, 10}}},
        StraightCase{"convex_pentagon", {{0, 0}, {10, 0}, {14, 6}, {6, 12}, {-2, 6}}, 15.0,
                     {{0, 0}, {10, 0}, {12, 3}}},
        // An L-shaped (concave) fan from its outer corner: the notch does not disturb the sweep.
        StraightCase{"concave_l", {{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}}, 28.0,
                     {{0, 0}, {10, 0}, {10, 4}, {6, 4}}}),
    [](const ::testing::TestParamInfo<StraightCase>& info) { return std::string(info.param.name); });

TEST_F(FanSplit, AnAreaReachedAtAVertexCutsThere)
{
    split({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 50.0);
    EXPECT_TRUE(samePoints(*m_part, {{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_TRUE(samePoints(*m_rest, {{10, 10}, {0, 10}, {0, 0}}));
}

TEST_F(FanSplit, TheRestRunsFromTheCutBackToThePivot)
{
    split({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 25.0);
    const std::vector<Pt> rest = pointsOf(*m_rest);
    ASSERT_EQ(rest.size(), 4u);
    EXPECT_NEAR(rest.front().x, 10.0, 1e-12);
    EXPECT_NEAR(rest.front().y, 5.0, 1e-12);
    EXPECT_NEAR(rest.back().x, 0.0, 1e-12);
    EXPECT_NEAR(rest.back().y, 0.0, 1e-12);
}

// 20 x 10 with a half disc of radius 5 on the right side (the acceptance drawing "arcs").
TEST_F(FanSplit, ACutOnAnArcStaysOnItsCircle)
{
    split({{0, 0}, {20, 0, 1.0}, {20, 10}, {0, 10}}, 50.0);
    EXPECT_NEAR(areaOf(*m_part), 50.0, 1e-7);
    EXPECT_NEAR(areaOf(*m_part) + areaOf(*m_rest), 200.0 + 12.5 * std::numbers::pi, 1e-9);
    const std::vector<Pt> part = pointsOf(*m_part);
    ASSERT_EQ(part.size(), 3u);
    const Pt cut = part[2];
    EXPECT_NEAR(std::hypot(cut.x - 20.0, cut.y - 5.0), 5.0, 1e-9);
    EXPECT_GT(cut.x, 20.0);
    // The part's arc from (20, 0) to the cut and the rest's arc from the cut to (20, 10) together
    // sweep the half circle: tan(a/4) and tan(b/4) with a + b = pi.
    const double partSweep = 4.0 * std::atan(part[1].bulge);
    const double restSweep = 4.0 * std::atan(pointsOf(*m_rest)[0].bulge);
    EXPECT_GT(partSweep, 0.0);
    EXPECT_GT(restSweep, 0.0);
    EXPECT_NEAR(partSweep + restSweep, std::numbers::pi, 1e-9);
    // The chord of the part's arc and its sweep give back the circle's radius.
    const double chord = std::hypot(cut.x - 20.0, cut.y);
    EXPECT_NEAR(chord / (2.0 * std::sin(partSweep / 2.0)), 5.0, 1e-9);
    EXPECT_DOUBLE_EQ(part[2].bulge, 0.0);
}

TEST_F(FanSplit, ACutOnAClockwiseArcKeepsItsSense)
{
    // The same outline run clockwise: the half disc now on the left, walked clockwise.
    split({{0, 0}, {0, 10}, {20, 10, -1.0}, {20, 0}}, 150.0);
    EXPECT_NEAR(areaOf(*m_part), 150.0, 1e-7);
    const std::vector<Pt> part = pointsOf(*m_part);
    ASSERT_EQ(part.size(), 4u);
    EXPECT_LT(part[2].bulge, 0.0);
    EXPECT_LT(pointsOf(*m_rest)[0].bulge, 0.0);
    EXPECT_NEAR(std::hypot(part[3].x - 20.0, part[3].y - 5.0), 5.0, 1e-9);
}

}  // namespace
