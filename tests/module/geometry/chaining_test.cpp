// Chaining lines, arcs and polylines onto either end of an open polyline, and world points into a polyline's plane.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "dbents.h"
#include "geometry/polyline_kernel.h"
#include "polyline_fixtures.h"

namespace {

using kernel_test::bulgeOfSweep;
using kernel_test::deg;
using kernel_test::makePolyline;
using kernel_test::V;
using kernel_test::verticesOf;

constexpr double kChainTol = 0.01;

void expectPoints(const AcDbPolyline& pline, const std::vector<AcGePoint2d>& expected)
{
    std::vector<V> got = verticesOf(pline);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(got[i].x, expected[i].x) << "vertex " << i;
        EXPECT_EQ(got[i].y, expected[i].y) << "vertex " << i;
    }
}

std::vector<double> bulgesOf(const AcDbPolyline& pline)
{
    std::vector<double> out;
    for (const V& v : verticesOf(pline))
        out.push_back(v.bulge);
    return out;
}

// ----- lines

struct LineCase {
    const char* name;
    AcGePoint3d start, end;
    std::vector<AcGePoint2d> expected;
};

std::ostream& operator<<(std::ostream& os, const LineCase& c)
{
    return os << c.name;
}

class ChainLine : public ::testing::TestWithParam<LineCase> {};

// The polyline's end within the tolerance moves exactly onto the line's end; every segment
// stays straight (the last vertex's bulge describes no segment).
TEST_P(ChainLine, AttachesAtTheMatchingEnd)
{
    const LineCase& c = GetParam();
    // The open polyline's last bulge means nothing; appending after it must write 0.
    auto pline = makePolyline({{0, 0}, {10, 0, 0.7}});
    AcDbLine line(c.start, c.end);
    ASSERT_TRUE(chainCurveToPolyline(pline.get(), &line, kChainTol)) << c.name;
    expectPoints(*pline, c.expected);
    std::vector<double> bulges = bulgesOf(*pline);
    for (size_t i = 0; i + 1 < bulges.size(); ++i)
        EXPECT_EQ(bulges[i], 0.0) << c.name << " segment " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, ChainLine,
    ::testing::Values(
        LineCase{"last_to_start", {10.005, 0, 0}, {15, 5, 0}, {{0, 0}, {10.005, 0}, {15, 5}}},
        LineCase{"last_to_end", {15, 5, 0}, {10.005, 0, 0}, {{0, 0}, {10.005, 0}, {15, 5}}},
        LineCase{"first_to_start", {0.003, 0.004, 0}, {-5, -5, 0}, {{-5, -5}, {0.003, 0.004}, {10, 0}}},
        LineCase{"first_to_end", {-5, -5, 0}, {0.003, 0.004, 0}, {{-5, -5}, {0.003, 0.004}, {10, 0}}},
        // Both ends match: the last vertex against the line's start comes first.
        LineCase{"closing_line_goes_after_last", {10, 0, 0}, {0, 0, 0}, {{0, 0}, {10, 0}, {0, 0}}},
        LineCase{"reversed_closing_line_goes_after_last", {0, 0, 0}, {10, 0, 0}, {{0, 0}, {10, 0}, {0, 0}}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ChainCurveToPolyline, LineIntoEmptyPolyline)
{
    auto pline = makePolyline({});
    AcDbLine line(AcGePoint3d(1, 2, 0), AcGePoint3d(3, 4, 0));
    ASSERT_TRUE(chainCurveToPolyline(pline.get(), &line, kChainTol));
    expectPoints(*pline, {{1, 2}, {3, 4}});
}

TEST(ChainCurveToPolyline, RefusedCasesLeaveThePolylineAlone)
{
    const std::vector<V> start = {{0, 0}, {10, 0}};
    AcDbLine far(AcGePoint3d(10.02, 0, 0), AcGePoint3d(20, 0, 0));
    AcDbLine raised(AcGePoint3d(10, 0, 1e-6), AcGePoint3d(20, 0, 1e-6));
    AcDbCircle circle(AcGePoint3d(10, 0, 0), AcGeVector3d::kZAxis, 2.0);
    AcDbLine touching(AcGePoint3d(10, 0, 0), AcGePoint3d(20, 0, 0));
    struct Refusal {
        const char* name;
        const AcDbCurve* curve;
        bool closed;
    };
    for (const Refusal& r : {Refusal{"no end within tolerance", &far, false},
                             Refusal{"line off the plane", &raised, false},
                             Refusal{"a circle", &circle, false},
                             Refusal{"closed polyline", &touching, true},
                             Refusal{"null curve", nullptr, false}}) {
        auto pline = makePolyline(start, r.closed);
        EXPECT_FALSE(chainCurveToPolyline(pline.get(), r.curve, kChainTol)) << r.name;
        expectPoints(*pline, {{0, 0}, {10, 0}});
    }
    EXPECT_FALSE(chainCurveToPolyline(nullptr, &touching, kChainTol));
}

// A polyline whose normal points down: its plane's x axis is the world's -x.
TEST(ChainCurveToPolyline, LineInAPolylineOfAnotherNormal)
{
    auto pline = makePolyline({{0, 0}, {10, 0}});
    pline->setNormal(AcGeVector3d(0, 0, -1));
    AcGePoint3d lastWcs;
    pline->getPointAt(1, lastWcs);
    AcDbLine line(lastWcs, lastWcs + AcGeVector3d(0, 5, 0));
    ASSERT_TRUE(chainCurveToPolyline(pline.get(), &line, kChainTol));
    AcGePoint3d added;
    ASSERT_EQ(pline->getPointAt(2, added), Acad::eOk);
    EXPECT_NEAR(added.distanceTo(line.endPoint()), 0.0, 1e-12);
}

// ----- arcs

// The polyline's segment at `segment` must be the arc itself: same ends, same midpoint.
void expectSegmentIsArc(const AcDbPolyline& pline, unsigned int segment, const AcDbArc& arc)
{
    AcGePoint3d segStart, segEnd, segMid, arcStart, arcEnd, arcMid;
    pline.getPointAtParam(segment, segStart);
    pline.getPointAtParam(segment + 1.0, segEnd);
    pline.getPointAtParam(segment + 0.5, segMid);
    arc.getStartPoint(arcStart);
    arc.getEndPoint(arcEnd);
    double sweep = arc.endAngle() - arc.startAngle();
    if (sweep < 0.0)
        sweep += 2.0 * kernel_test::kPi;
    arc.getPointAtParam(arc.startAngle() + sweep / 2.0, arcMid);
    const bool forward = segStart.distanceTo(arcStart) < segStart.distanceTo(arcEnd);
    EXPECT_NEAR(segStart.distanceTo(forward ? arcStart : arcEnd), 0.0, 1e-9);
    EXPECT_NEAR(segEnd.distanceTo(forward ? arcEnd : arcStart), 0.0, 1e-9);
    EXPECT_NEAR(segMid.distanceTo(arcMid), 0.0, 1e-9) << "segment " << segment;
}

struct ArcCase {
    const char* name;
    std::vector<V> target;
    unsigned int arcSegment;  // where the arc lands
    unsigned int vertexCount;
};

std::ostream& operator<<(std::ostream& os, const ArcCase& c)
{
    return os << c.name;
}

class ChainArc : public ::testing::TestWithParam<ArcCase> {};

// A quarter arc about (15, 0) of radius 5 from (10, 0) to (15, -5) (180 to 270 degrees), chained
// at each end: the new segment is the arc, walked in whichever direction the chain runs.
TEST_P(ChainArc, NewSegmentIsTheArc)
{
    const ArcCase& c = GetParam();
    AcDbArc arc(AcGePoint3d(15, 0, 0), 5.0, deg(180), deg(270));
    auto pline = makePolyline(c.target);
    ASSERT_TRUE(chainCurveToPolyline(pline.get(), &arc, kChainTol)) << c.name;
    ASSERT_EQ(pline->numVerts(), c.vertexCount) << c.name;
    expectSegmentIsArc(*pline, c.arcSegment, arc);
    double bulge = 0.0;
    pline->getBulgeAt(c.arcSegment, bulge);
    EXPECT_NEAR(std::fabs(bulge), bulgeOfSweep(deg(90)), 1e-12) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Kernel, ChainArc,
                         ::testing::Values(ArcCase{"last_to_start", {{0, 0}, {10, 0}}, 1, 3},
                                           ArcCase{"last_to_end", {{0, 0}, {15.004, -5}}, 1, 3},
                                           ArcCase{"first_to_start", {{10, 0.003}, {0, 0}}, 0, 3},
                                           ArcCase{"first_to_end", {{15, -5}, {20, -5}}, 0, 3},
                                           ArcCase{"empty", {}, 0, 2}),
                         [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

// More than half a circle: the bulge is above 1, its sagitta taken through the centre.
TEST(ChainCurveToPolyline, ArcOfThreeQuarters)
{
    AcDbArc arc(AcGePoint3d(0, 5, 0), 5.0, deg(270), deg(180));
    auto pline = makePolyline({{-7, 0}, {0, 0}});
    ASSERT_TRUE(chainCurveToPolyline(pline.get(), &arc, kChainTol));
    double bulge = 0.0;
    pline->getBulgeAt(1, bulge);
    EXPECT_NEAR(bulge, bulgeOfSweep(deg(270)), 1e-12);
    expectSegmentIsArc(*pline, 1, arc);
}

TEST(ChainCurveToPolyline, ArcOutOfThePlaneIsRefused)
{
    AcDbArc tilted(AcGePoint3d(15, 0, 0), AcGeVector3d(1, 0, 0), 5.0, 0.0, deg(90));
    AcDbArc raised(AcGePoint3d(15, 0, 2), 5.0, deg(180), deg(270));
    for (const AcDbArc* arc : {&tilted, &raised}) {
        auto pline = makePolyline({{0, 0}, {10, 0}});
        EXPECT_FALSE(chainCurveToPolyline(pline.get(), arc, 10.0));
        EXPECT_EQ(pline->numVerts(), 2u);
    }
}

// ----- polylines

// The curve (10,0) -> (10,5) -> (5,8) with an arc first, chained to (0,0) -> (10,0) in its four
// placements: the points and the curve's arc end up the same every time.
struct PolylineCase {
    const char* name;
    std::vector<V> target;
    std::vector<V> curve;
};

std::ostream& operator<<(std::ostream& os, const PolylineCase& c)
{
    return os << c.name;
}

class ChainPolyline : public ::testing::TestWithParam<PolylineCase> {};

TEST_P(ChainPolyline, JoinsAtTheMatchingEnds)
{
    const PolylineCase& c = GetParam();
    auto target = makePolyline(c.target);
    auto curve = makePolyline(c.curve);
    ASSERT_TRUE(chainCurveToPolyline(target.get(), curve.get(), kChainTol)) << c.name;
    std::vector<V> got = verticesOf(*target);
    ASSERT_EQ(got.size(), 4u) << c.name;
    // Walked from (0,0) or from (5,8): compare along the direction the result runs.
    const bool fromOrigin = std::hypot(got[0].x, got[0].y) < 1.0;
    auto path = makePolyline(fromOrigin ? std::vector<V>{{0, 0}, {10, 0, 0.4}, {10, 5}, {5, 8}}
                                        : std::vector<V>{{5, 8}, {10, 5, -0.4}, {10, 0}, {0, 0}});
    for (double param : {0.0, 0.5, 1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        AcGePoint3d want, have;
        path->getPointAtParam(param, want);
        target->getPointAtParam(param, have);
        EXPECT_NEAR(have.distanceTo(want), 0.0, 0.02) << c.name << " at " << param;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, ChainPolyline,
    ::testing::Values(
        PolylineCase{"curve_first_at_last", {{0, 0}, {10, 0}}, {{10.004, 0, 0.4}, {10, 5}, {5, 8}}},
        PolylineCase{"curve_last_at_last", {{0, 0}, {10, 0}}, {{5, 8}, {10, 5, -0.4}, {10.004, 0}}},
        PolylineCase{"curve_first_at_first", {{10, 0}, {0, 0}}, {{10.004, 0, 0.4}, {10, 5}, {5, 8}}},
        PolylineCase{"curve_last_at_first", {{10, 0}, {0, 0}}, {{5, 8}, {10, 5, -0.4}, {10.004, 0}}}),
    [](const ::testing::TestParamInfo<PolylineCase>& info) { return std::string(info.param.name); });

// The curve's vertex replaces the target's end, widths included; the target's other vertices
// keep theirs through the double reversal.
TEST(ChainCurveToPolyline, PolylineAtFirstVertexKeepsWidthsAndSnaps)
{
    auto target = makePolyline({{10, 0, 0, 1, 2}, {20, 0, 0, 3, 4}});
    auto curve = makePolyline({{10.004, 0, 0, 5, 6}, {10, 5, 0, 7, 8}});
    ASSERT_TRUE(chainCurveToPolyline(target.get(), curve.get(), kChainTol));
    std::vector<V> got = verticesOf(*target);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].x, 10.0);
    EXPECT_EQ(got[0].y, 5.0);
    EXPECT_EQ(got[1].x, 10.004);  // the curve's vertex
    EXPECT_EQ(got[2].x, 20.0);
    // The segment (10,5) -> (10.004,0) is the curve's segment walked backwards: widths swapped.
    EXPECT_EQ(got[0].startWidth, 6.0);
    EXPECT_EQ(got[0].endWidth, 5.0);
    EXPECT_EQ(got[1].startWidth, 1.0);
    EXPECT_EQ(got[1].endWidth, 2.0);
}

TEST(ChainCurveToPolyline, PolylineIntoEmptyAndRefusals)
{
    auto curve = makePolyline({{1, 1, 0.2}, {2, 2}, {3, 1}});
    auto empty = makePolyline({});
    ASSERT_TRUE(chainCurveToPolyline(empty.get(), curve.get(), kChainTol));
    expectPoints(*empty, {{1, 1}, {2, 2}, {3, 1}});

    auto target = makePolyline({{0, 0}, {1, 1}});
    auto single = makePolyline({{1, 1}});
    EXPECT_FALSE(chainCurveToPolyline(target.get(), single.get(), kChainTol));
    auto apart = makePolyline({{5, 5}, {6, 6}});
    EXPECT_FALSE(chainCurveToPolyline(target.get(), apart.get(), kChainTol));
    // 3 units above the target: the ends would meet under a tolerance of 10, the planes do not.
    auto otherPlane = makePolyline({{1, 1}, {2, 2}});
    otherPlane->setElevation(3.0);
    EXPECT_FALSE(chainCurveToPolyline(target.get(), otherPlane.get(), 10.0));
    auto tilted = makePolyline({{1, 1}, {2, 2}});
    tilted->setNormal(AcGeVector3d(0, 1, 1));
    EXPECT_FALSE(chainCurveToPolyline(target.get(), tilted.get(), 10.0));
    expectPoints(*target, {{0, 0}, {1, 1}});
}

// ----- plane coordinates

TEST(WorldToPlane2d, WorldXYPlaneKeepsXAndY)
{
    AcGePoint2d p;
    double elevation = 0.0;
    ASSERT_TRUE(worldToPlane2d(AcGePoint3d(3, 4, 5), AcGeVector3d::kZAxis, false, p, &elevation));
    EXPECT_DOUBLE_EQ(p.x, 3.0);
    EXPECT_DOUBLE_EQ(p.y, 4.0);
    EXPECT_DOUBLE_EQ(elevation, 5.0);
}

// The plane coordinates are the polyline's own vertex coordinates, whatever its normal.
TEST(WorldToPlane2d, GivesBackAPolylinesVertexCoordinates)
{
    for (const AcGeVector3d& normal : {AcGeVector3d(0, 0, -1), AcGeVector3d(0.3, -0.5, 0.8), AcGeVector3d(1, 0, 0),
                                       AcGeVector3d(0.01, 0.005, 1)}) {
        auto pline = makePolyline({{12.5, -7.25}});
        pline->setNormal(normal);
        pline->setElevation(4.0);
        AcGePoint3d wcs;
        ASSERT_EQ(pline->getPointAt(0, wcs), Acad::eOk);
        AcGePoint2d p;
        double elevation = 0.0;
        ASSERT_TRUE(worldToPlane2d(wcs, normal, false, p, &elevation));
        EXPECT_NEAR(p.x, 12.5, 1e-12);
        EXPECT_NEAR(p.y, -7.25, 1e-12);
        EXPECT_NEAR(elevation, 4.0, 1e-12);
    }
}

// A displacement is turned into the plane's axes the same way (the plane has no origin shift).
TEST(WorldToPlane2d, DisplacementAndRefusal)
{
    AcGePoint2d p;
    ASSERT_TRUE(worldToPlane2d(AcGePoint3d(2, 0, 0), AcGeVector3d(0, 0, -1), true, p));
    EXPECT_NEAR(p.x, -2.0, 1e-15);
    EXPECT_NEAR(p.y, 0.0, 1e-15);
    EXPECT_FALSE(worldToPlane2d(AcGePoint3d(2, 0, 0), AcGeVector3d(0, 0, 0), false, p));
}

}  // namespace
