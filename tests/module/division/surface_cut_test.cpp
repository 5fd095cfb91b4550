// Cutting a surface in two along a line, a ray, an infinite line or a polyline, and the refusals.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "dbents.h"
#include "dbray.h"
#include "dbxline.h"
#include "division/surface_cut.h"
#include "module/division/division_fixture.h"

namespace {

using division_test::areaOf;
using division_test::makeSurface;
using division_test::pointsOf;
using division_test::Pt;
using division_test::samePoints;
using kelvora::division::cutSurfaceWith;

const std::vector<Pt> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

class SurfaceCut : public division_test::DivisionTest {
protected:
    void cutWith(const std::vector<Pt>& outline, const AcDbCurve& cutter, const wchar_t* lot = L"12")
    {
        m_surface = makeSurface(outline);
        m_surface->setLabelString(NESurface::kLotText, lot);
        std::vector<NESurface*> parts;
        cutSurfaceWith(m_surface.get(), &cutter, parts);
        for (NESurface* part : parts)
            m_parts.emplace_back(part);
    }
    void expectTwoClosedParts(double firstArea, double secondArea)
    {
        ASSERT_EQ(m_parts.size(), 2u);
        EXPECT_STREQ(m_parts[0]->getLabelString(NESurface::kLotText), L"12.1");
        EXPECT_STREQ(m_parts[1]->getLabelString(NESurface::kLotText), L"12.2");
        EXPECT_TRUE(m_parts[0]->isClosed());
        EXPECT_TRUE(m_parts[1]->isClosed());
        EXPECT_NEAR(areaOf(*m_parts[0]), firstArea, 1e-9);
        EXPECT_NEAR(areaOf(*m_parts[1]), secondArea, 1e-9);
    }
    static std::unique_ptr<AcDbPolyline> polyline(const std::vector<Pt>& points)
    {
        auto pline = std::make_unique<AcDbPolyline>();
        for (const Pt& p : points)
            pline->addVertexAt(pline->numVerts(), AcGePoint2d(p.x, p.y), p.bulge);
        return pline;
    }
    std::unique_ptr<NESurface> m_surface;
    std::vector<std::unique_ptr<NESurface>> m_parts;
};

TEST_F(SurfaceCut, ALineAcrossTwoOppositeSidesGivesTwoRectangles)
{
    AcDbLine line(AcGePoint3d(4, -5, 0), AcGePoint3d(4, 15, 0));
    cutWith(kSquare, line);
    expectTwoClosedParts(40.0, 60.0);
    EXPECT_TRUE(samePoints(*m_parts[0], {{4, 10}, {0, 10}, {0, 0}, {4, 0}}));
    EXPECT_TRUE(samePoints(*m_parts[1], {{4, 0}, {10, 0}, {10, 10}, {4, 10}}));
    EXPECT_EQ(out(), "");
}

TEST_F(SurfaceCut, ARayFromInsideThatLeavesTwiceIsRefusedButOneCrossingTwiceCuts)
{
    // A ray from below crosses the bottom and the top: two crossings.
    AcDbRay ray;
    ray.setBasePoint(AcGePoint3d(6, -1, 0));
    ray.setUnitDir(AcGeVector3d(0, 1, 0));
    cutWith(kSquare, ray);
    expectTwoClosedParts(60.0, 40.0);
}

TEST_F(SurfaceCut, AnInfiniteLineCutsAlongItsWholeCourse)
{
    AcDbXline xline;
    xline.setBasePoint(AcGePoint3d(100, 3, 0));
    xline.setUnitDir(AcGeVector3d(1, 0, 0));
    cutWith(kSquare, xline);
    ASSERT_EQ(m_parts.size(), 2u);
    EXPECT_NEAR(areaOf(*m_parts[0]) + areaOf(*m_parts[1]), 100.0, 1e-9);
    EXPECT_NEAR(std::min(areaOf(*m_parts[0]), areaOf(*m_parts[1])), 30.0, 1e-9);
}

TEST_F(SurfaceCut, ABentPolylineGivesTwoPartsThatFollowTheBend)
{
    std::unique_ptr<AcDbPolyline> bent = polyline({{3, -5}, {3, 5}, {7, 15}});
    cutWith(kSquare, *bent);
    ASSERT_EQ(m_parts.size(), 2u);
    EXPECT_NEAR(areaOf(*m_parts[0]) + areaOf(*m_parts[1]), 100.0, 1e-9);
    EXPECT_NEAR(std::min(areaOf(*m_parts[0]), areaOf(*m_parts[1])), 35.0, 1e-9);
    for (const auto& part : m_parts) {
        bool followsBend = false;
        for (const Pt& p : pointsOf(*part))
            followsBend = followsBend || (std::fabs(p.x - 3) < 1e-9 && std::fabs(p.y - 5) < 1e-9);
        EXPECT_TRUE(followsBend);
    }
}

TEST_F(SurfaceCut, CrossingsOnEitherSideOfVertexZeroGiveTwoClosedParts)
{
    // Vertex 0 in the middle of the bottom edge; the cut crosses the bottom left and right of it.
    const std::vector<Pt> outline = {{5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    AcDbLine line(AcGePoint3d(-1, 1, 0), AcGePoint3d(11, -1, 0));
    cutWith(outline, line);
    ASSERT_EQ(m_parts.size(), 2u);
    EXPECT_NEAR(areaOf(*m_parts[0]) + areaOf(*m_parts[1]), 100.0, 1e-9);
    EXPECT_TRUE(m_parts[0]->isClosed());
    EXPECT_TRUE(m_parts[1]->isClosed());
}

TEST_F(SurfaceCut, AnArcCutterGivesAStraightChord)
{
    // A quarter-ish arc round the corner (0, 0) crosses the bottom at (6, 0) and the left at (0, 6).
    AcDbArc arc(AcGePoint3d(0, 0, 0), 6.0, -std::numbers::pi / 4.0, 3.0 * std::numbers::pi / 4.0);
    cutWith(kSquare, arc);
    ASSERT_EQ(m_parts.size(), 2u);
    EXPECT_NEAR(std::min(areaOf(*m_parts[0]), areaOf(*m_parts[1])), 18.0, 1e-9);
    EXPECT_NEAR(areaOf(*m_parts[0]) + areaOf(*m_parts[1]), 100.0, 1e-9);
}

struct RefusalCase {
    const char* name;
    std::vector<Pt> cutter;
};

// Failures name the row.
void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class SurfaceCutRefusal : public SurfaceCut, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SurfaceCutRefusal, SaysSoAndMakesNoPart)
{
    std::unique_ptr<AcDbPolyline> cutter = polyline(GetParam().cutter);
    cutWith(kSquare, *cutter);
    EXPECT_TRUE(m_parts.empty()) << GetParam().name;
    EXPECT_EQ(out(), "\nEchec: trop d'intersections") << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Crossings, SurfaceCutRefusal,
                         ::testing::Values(RefusalCase{"touching_once", {{10, 8}, {25, 8}}},
                                           RefusalCase{"outside", {{20, 0}, {20, 10}}},
                                           RefusalCase{"four_times", {{2, -5}, {2, 15}, {8, 15}, {8, -5}}},
                                           RefusalCase{"ending_inside", {{5, 5}, {5, 20}}}),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
