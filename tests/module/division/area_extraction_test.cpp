// Fan extraction from a surface: corner and inner centres, concave outlines, arcs, series of parts, refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "division/area_extraction.h"
#include "division/division_tolerances.h"
#include "division/open_at_point.h"
#include "module/division/division_fixture.h"

namespace {

using division_test::areaOf;
using division_test::makeSurface;
using division_test::pointsOf;
using division_test::Pt;
using division_test::samePoints;
using kelvora::division::extractArea;
using kelvora::division::kNoStartDirection;
using kelvora::division::openAtPoint;

const std::vector<Pt> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

class Extraction : public division_test::DivisionTest {
protected:
    bool extract(const std::vector<Pt>& outline, AcGePoint3d centre, double area, double angle)
    {
        m_surface = makeSurface(outline);
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        const bool ok = extractArea(m_surface.get(), centre, area, angle, rest, part);
        m_rest.reset(rest);
        m_part.reset(part);
        EXPECT_EQ(ok, m_rest != nullptr && m_part != nullptr);
        return ok;
    }
    void expectAreas(double part)
    {
        EXPECT_NEAR(areaOf(*m_part), part, 1e-7);
        EXPECT_NEAR(areaOf(*m_part) + areaOf(*m_rest), areaOf(*m_surface), 1e-7);
    }
    std::unique_ptr<NESurface> m_surface;
    std::unique_ptr<NESurface> m_rest;
    std::unique_ptr<NESurface> m_part;
};

TEST_F(Extraction, HalfOfASquareFromACornerCutsTheDiagonalAndKeepsTheSweepStartAsRest)
{
    ASSERT_TRUE(extract(kSquare, AcGePoint3d(0, 0, 0), 50.0, kNoStartDirection));
    expectAreas(50.0);
    // Equal areas: the piece that starts the sweep is the rest.
    EXPECT_TRUE(samePoints(*m_rest, {{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_TRUE(samePoints(*m_part, {{10, 10}, {0, 10}, {0, 0}}));
}

TEST_F(Extraction, FromAPointInTheMiddleOfAnEdge)
{
    ASSERT_TRUE(extract(kSquare, AcGePoint3d(5, 0, 0), 25.0, kNoStartDirection));
    expectAreas(25.0);
    EXPECT_TRUE(samePoints(*m_part, {{5, 0}, {10, 0}, {10, 10}}));
}

TEST_F(Extraction, FromAnInnerCentreTheSweepStartsAlongTheDirection)
{
    ASSERT_TRUE(extract(kSquare, AcGePoint3d(5, 5, 0), 20.0, 0.0));
    expectAreas(20.0);
    EXPECT_TRUE(samePoints(*m_part, {{5, 5}, {10, 5}, {10, 10}, {7, 10}}));
    EXPECT_TRUE(samePoints(*m_rest, {{7, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {5, 5}}));
}

TEST_F(Extraction, AnUpwardDirectionStartsAtTheTopEdge)
{
    ASSERT_TRUE(extract(kSquare, AcGePoint3d(5, 5, 0), 12.5, std::numbers::pi / 2.0));
    expectAreas(12.5);
    EXPECT_TRUE(samePoints(*m_part, {{5, 5}, {5, 10}, {0, 10}}));
}

TEST_F(Extraction, AConcaveOutlineAroundAnInnerCentre)
{
    // An L: the centre sees the whole outline, so the fan is simple.
    const std::vector<Pt> l = {{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}};
    ASSERT_TRUE(extract(l, AcGePoint3d(2, 2, 0), 20.0, 0.0));
    expectAreas(20.0);
    EXPECT_FALSE(m_part->numVerts() < 3);
}

TEST_F(Extraction, ALastSegmentOnAnArcEndsOnItsCircle)
{
    ASSERT_TRUE(extract({{0, 0}, {20, 0, 1.0}, {20, 10}, {0, 10}}, AcGePoint3d(0, 0, 0), 50.0, kNoStartDirection));
    expectAreas(50.0);
    int arcs = 0;
    for (const Pt& p : pointsOf(*m_part)) {
        if (p.x > 20.0 + 1e-3) {
            EXPECT_NEAR(std::hypot(p.x - 20.0, p.y - 5.0), 5.0, 1e-9);
        }
        arcs += std::fabs(p.bulge) > 0.0 ? 1 : 0;
    }
    EXPECT_EQ(arcs, 1);
}

TEST_F(Extraction, ACentreOutsideIsRefused)
{
    EXPECT_FALSE(extract(kSquare, AcGePoint3d(20, 5, 0), 30.0, std::numbers::pi));
    EXPECT_EQ(out(), "\nPoint exterieur");
}

TEST_F(Extraction, ARayThatMissesTheSurfaceIsRefusedAsOutside)
{
    EXPECT_FALSE(extract(kSquare, AcGePoint3d(20, 5, 0), 30.0, 0.0));
    EXPECT_EQ(out(), "\nPoint exterieur");
}

TEST_F(Extraction, AnAreaOutsideZeroToTheWholeIsRefused)
{
    EXPECT_FALSE(extract(kSquare, AcGePoint3d(0, 0, 0), 100.5, kNoStartDirection));
    EXPECT_FALSE(extract(kSquare, AcGePoint3d(0, 0, 0), -1.0, kNoStartDirection));
    EXPECT_EQ(out(), "");
}

// The "=30" series: each later part pivots on the centre, now a vertex of the remainder.
TEST_F(Extraction, ASeriesOfPartsLeavesTheRemainder)
{
    std::unique_ptr<NESurface> work = makeSurface(kSquare);
    const std::vector<std::vector<Pt>> expected = {{{0, 0}, {10, 0}, {10, 6}},
                                                   {{0, 0}, {10, 6}, {10, 10}, {8, 10}},
                                                   {{0, 0}, {8, 10}, {2, 10}}};
    double total = 0.0;
    for (const std::vector<Pt>& want : expected) {
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        ASSERT_TRUE(extractArea(work.get(), AcGePoint3d(0, 0, 0), 30.0, kNoStartDirection, rest, part));
        std::unique_ptr<NESurface> owned(part);
        work.reset(rest);
        EXPECT_NEAR(areaOf(*part), 30.0, 1e-7);
        EXPECT_TRUE(samePoints(*part, want));
        total += areaOf(*part);
    }
    EXPECT_NEAR(areaOf(*work), 10.0, 1e-7);
    EXPECT_NEAR(total + areaOf(*work), 100.0, 1e-7);
    EXPECT_TRUE(samePoints(*work, {{2, 10}, {0, 10}, {0, 0}}));
}

TEST_F(Extraction, SevenEqualPartsAddUpToTheWhole)
{
    std::unique_ptr<NESurface> work = makeSurface({{0, 0}, {30, 0}, {34, 12}, {12, 25}, {-6, 14}});
    const double whole = areaOf(*work);
    const double share = whole / 7.0;
    double angle = 0.4;
    double total = 0.0;
    for (int k = 0; k < 6; ++k) {
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        ASSERT_TRUE(extractArea(work.get(), AcGePoint3d(10, 8, 0), share, angle, rest, part)) << k;
        std::unique_ptr<NESurface> owned(part);
        work.reset(rest);
        angle = kNoStartDirection;
        EXPECT_NEAR(areaOf(*part), share, 1e-7) << k;
        total += areaOf(*part);
    }
    EXPECT_NEAR(areaOf(*work), share, 1e-6);
    EXPECT_NEAR(total + areaOf(*work), whole, 1e-6);
}

TEST_F(Extraction, OpeningAtAPointThatIsNotVertexZeroStartsAndEndsThere)
{
    std::unique_ptr<NESurface> square = makeSurface(kSquare);
    std::unique_ptr<AcDbPolyline> opened(openAtPoint(square.get(), AcGePoint3d(10, 5, 0)));
    ASSERT_TRUE(opened);
    EXPECT_FALSE(opened->isClosed());
    const std::vector<Pt> points = pointsOf(*opened);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_NEAR(points.front().y, 5.0, 1e-12);
    EXPECT_NEAR(points.back().y, 5.0, 1e-12);
    EXPECT_NEAR(areaOf(*opened), 100.0, 1e-9);
}

TEST_F(Extraction, OpeningAtVertexZeroGivesTheClosedCopy)
{
    std::unique_ptr<NESurface> square = makeSurface(kSquare);
    std::unique_ptr<AcDbPolyline> opened(openAtPoint(square.get(), AcGePoint3d(0, 0, 0)));
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->isClosed());
    EXPECT_EQ(opened->numVerts(), 4u);
}

}  // namespace
