// Directional extraction: strips parallel to a direction at several angles, the area above a line, series.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <numbers>

#include "dbxline.h"
#include "division/area_above_line.h"
#include "division/directional_cut.h"
#include "module/division/division_fixture.h"

namespace {

using division_test::areaOf;
using division_test::makeSurface;
using division_test::pointsOf;
using division_test::Pt;
using division_test::samePoints;
using kelvora::division::AreaAbove;
using kelvora::division::areaAboveLine;
using kelvora::division::cutAreaByDirection;

constexpr double kPi = std::numbers::pi;
const std::vector<Pt> kRect = {{0, 0}, {10, 0}, {10, 4}, {0, 4}};

class DirectionalCut : public division_test::DivisionTest {
protected:
    bool cut(const std::vector<Pt>& outline, double area, double angle)
    {
        m_surface = makeSurface(outline);
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        const bool ok = cutAreaByDirection(m_surface.get(), area, angle, rest, part);
        m_rest.reset(rest);
        m_part.reset(part);
        EXPECT_EQ(ok, m_rest != nullptr && m_part != nullptr);
        return ok;
    }
    // How far the points reach to the left of the direction: the largest and smallest projection on
    // the left normal.
    static void leftReach(const AcDbPolyline& pline, double angle, double& lo, double& hi)
    {
        lo = std::numeric_limits<double>::infinity();
        hi = -lo;
        for (const Pt& p : pointsOf(pline)) {
            const double left = -std::sin(angle) * p.x + std::cos(angle) * p.y;
            lo = std::min(lo, left);
            hi = std::max(hi, left);
        }
    }
    std::unique_ptr<NESurface> m_surface;
    std::unique_ptr<NESurface> m_rest;
    std::unique_ptr<NESurface> m_part;
};

TEST_F(DirectionalCut, DirectionZeroTakesTheStripAlongTheTopEdge)
{
    ASSERT_TRUE(cut(kRect, 10.0, 0.0));
    EXPECT_TRUE(samePoints(*m_part, {{0, 3}, {10, 3}, {10, 4}, {0, 4}}));
    EXPECT_TRUE(samePoints(*m_rest, {{0, 0}, {10, 0}, {10, 3}, {0, 3}}));
    EXPECT_TRUE(m_part->isClosed());
    EXPECT_TRUE(m_rest->isClosed());
}

TEST_F(DirectionalCut, DirectionUpTakesTheStripOnTheLeft)
{
    ASSERT_TRUE(cut(kRect, 10.0, kPi / 2.0));
    EXPECT_TRUE(samePoints(*m_part, {{0, 0}, {2.5, 0}, {2.5, 4}, {0, 4}}));
}

TEST_F(DirectionalCut, ARepeatedLastVertexIsIgnored)
{
    ASSERT_TRUE(cut({{0, 0}, {10, 0}, {10, 4}, {0, 4}, {0, 0}}, 10.0, 0.0));
    EXPECT_TRUE(samePoints(*m_part, {{0, 3}, {10, 3}, {10, 4}, {0, 4}}));
}

struct AngleCase {
    const char* name;
    std::vector<Pt> outline;
    double angleDeg;
    double area;
};

// Failures name the row.
void PrintTo(const AngleCase& c, std::ostream* os)
{
    *os << c.name;
}

class DirectionalCutAngles : public DirectionalCut, public ::testing::WithParamInterface<AngleCase> {};

TEST_P(DirectionalCutAngles, ThePartLiesLeftOfTheDirectionBehindAStraightCut)
{
    const AngleCase& c = GetParam();
    const double angle = c.angleDeg * kPi / 180.0;
    ASSERT_TRUE(cut(c.outline, c.area, angle)) << c.name;
    EXPECT_NEAR(areaOf(*m_part), c.area, 1e-7) << c.name;
    EXPECT_NEAR(areaOf(*m_part) + areaOf(*m_rest), areaOf(*m_surface), 1e-7) << c.name;
    double partLo = 0.0;
    double partHi = 0.0;
    double restLo = 0.0;
    double restHi = 0.0;
    leftReach(*m_part, angle, partLo, partHi);
    leftReach(*m_rest, angle, restLo, restHi);
    // The cut is parallel to the direction: the part starts where the rest ends.
    EXPECT_NEAR(partLo, restHi, 1e-6) << c.name;
    EXPECT_GT(partHi, partLo) << c.name;
}

const std::vector<Pt> kPentagon = {{0, 0}, {30, 0}, {34, 12}, {12, 25}, {-6, 14}};

INSTANTIATE_TEST_SUITE_P(
    Angles, DirectionalCutAngles,
    ::testing::Values(AngleCase{"rect_0", kRect, 0.0, 10.0}, AngleCase{"rect_30", kRect, 30.0, 7.0},
                      AngleCase{"rect_45", kRect, 45.0, 20.0}, AngleCase{"rect_90", kRect, 90.0, 10.0},
                      AngleCase{"rect_135", kRect, 135.0, 5.0}, AngleCase{"rect_180", kRect, 180.0, 12.0},
                      AngleCase{"rect_270", kRect, 270.0, 30.0}, AngleCase{"pentagon_20", kPentagon, 20.0, 100.0},
                      AngleCase{"pentagon_200", kPentagon, 200.0, 333.0},
                      AngleCase{"pentagon_300", kPentagon, 300.0, 50.5}),
    [](const ::testing::TestParamInfo<AngleCase>& info) { return std::string(info.param.name); });

TEST_F(DirectionalCut, FourEqualStripsFollowEachOtherDownwards)
{
    std::unique_ptr<NESurface> work = makeSurface(kRect);
    for (int k = 3; k >= 1; --k) {
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        ASSERT_TRUE(cutAreaByDirection(work.get(), 10.0, 0.0, rest, part));
        std::unique_ptr<NESurface> owned(part);
        work.reset(rest);
        EXPECT_TRUE(samePoints(*part, {{0, double(k)}, {10, double(k)}, {10, k + 1.0}, {0, k + 1.0}})) << k;
    }
    EXPECT_TRUE(samePoints(*work, {{0, 0}, {10, 0}, {10, 1}, {0, 1}}));
}

TEST_F(DirectionalCut, AnAreaLargerThanTheSurfaceFails)
{
    EXPECT_FALSE(cut(kRect, 50.0, 0.0));
}

class AreaAboveLineTest : public division_test::DivisionTest {};

TEST_F(AreaAboveLineTest, AConcavePolygonGivesItsTopPiece)
{
    // A U open at the top: above y = 6 the two prongs are separate; the first found of equal
    // height is taken.
    std::unique_ptr<NESurface> u = makeSurface({{0, 0}, {10, 0}, {10, 10}, {7, 10}, {7, 4}, {3, 4}, {3, 10}, {0, 10}});
    AcDbXline line;
    line.setUnitDir(AcGeVector3d::kXAxis);
    line.setBasePoint(AcGePoint3d(5, 6, 0));
    AreaAbove above;
    ASSERT_TRUE(areaAboveLine(u.get(), &line, above));
    EXPECT_TRUE(above.cut);
    EXPECT_NEAR(above.areaSqUnits, 12.0, 1e-9);
    EXPECT_NEAR(above.first.y, 6.0, 1e-9);
    EXPECT_NEAR(above.last.y, 6.0, 1e-9);
}

TEST_F(AreaAboveLineTest, ALineThatMissesGivesTheWholeArea)
{
    std::unique_ptr<NESurface> rect = makeSurface(kRect);
    AcDbXline line;
    line.setUnitDir(AcGeVector3d::kXAxis);
    line.setBasePoint(AcGePoint3d(0, 20, 0));
    AreaAbove above;
    ASSERT_TRUE(areaAboveLine(rect.get(), &line, above));
    EXPECT_FALSE(above.cut);
    EXPECT_NEAR(above.areaSqUnits, 40.0, 1e-12);
}

TEST_F(AreaAboveLineTest, VertexZeroAboveTheLineIsInsideThePieceAbove)
{
    // Vertex 0 at the top: the piece above runs through it.
    std::unique_ptr<NESurface> rect = makeSurface({{0, 4}, {0, 0}, {10, 0}, {10, 4}});
    AcDbXline line;
    line.setUnitDir(AcGeVector3d::kXAxis);
    line.setBasePoint(AcGePoint3d(0, 1, 0));
    AreaAbove above;
    ASSERT_TRUE(areaAboveLine(rect.get(), &line, above));
    EXPECT_NEAR(above.areaSqUnits, 30.0, 1e-9);
}

}  // namespace
