// The linear fan walk against the walk that measures the part again after every vertex, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "division/fan_sweep.h"
#include "division/surface_pieces.h"
#include "module/division/division_fixture.h"
#include "module/division/random_outlines.h"

namespace {

using division_test::makeSurface;
using division_test::OutlineKind;
using division_test::Pt;
using division_test::randomOutline;
using kelvora::division::sweptAreaOf;
using kelvora::division::SweepStop;
using kelvora::division::sweepToArea;

template <typename Measure>
SweepStop walkMeasuring(const AcDbPolyline* fan, double partAreaSqUnits, AcDbPolyline* part, Measure measure)
{
    using kelvora::division::appendVertexFrom;
    const unsigned int n = fan->numVerts();
    for (unsigned int k = 0; k < 2 && k < n; ++k)
        appendVertexFrom(part, fan, k);
    double previous = measure(part);
    double current = previous;
    unsigned int k = 2;
    while (partAreaSqUnits > current && k < n) {
        previous = current;
        appendVertexFrom(part, fan, k);
        current = measure(part);
        ++k;
    }
    SweepStop stop;
    stop.lastVertex = part->numVerts() - 1;
    stop.previous = previous;
    stop.current = current;
    return stop;
}

// The walk measuring the whole part again after each vertex, in the fan's sense.
SweepStop measureEveryVertex(const AcDbPolyline* fan, double partAreaSqUnits, AcDbPolyline* part)
{
    const double orientation = kelvora::division::orientationOf(fan);
    return walkMeasuring(fan, partAreaSqUnits, part,
                         [orientation](const AcDbPolyline* p) { return sweptAreaOf(p, orientation); });
}

// The walk as it was first written: the host's unsigned measure of the whole part after each
// vertex. It agrees wherever the part never doubles back on the fan's sense.
SweepStop measureEveryVertexUnsigned(const AcDbPolyline* fan, double partAreaSqUnits, AcDbPolyline* part)
{
    return walkMeasuring(fan, partAreaSqUnits, part, [](const AcDbPolyline* p) { return kelvora::division::areaOf(p); });
}

std::uint64_t bitsOf(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// A fan as the extraction builds it: the pivot, the outline from vertex 0 round to vertex 0 again,
// and the straight edge back to the pivot.
std::vector<Pt> fanAround(const Pt& pivot, const std::vector<Pt>& outline)
{
    std::vector<Pt> fan{pivot};
    fan.insert(fan.end(), outline.begin(), outline.end());
    fan.push_back(outline.front());
    fan.back().bulge = 0.0;
    return fan;
}

class FanSweep : public division_test::DivisionTest {
protected:
    // Both walks on the fan for the area: the same stop and the same part, bit for bit.
    void expectSameWalk(const std::vector<Pt>& points, double area, const std::string& what,
                        SweepStop (*walk)(const AcDbPolyline*, double, AcDbPolyline*) = measureEveryVertex)
    {
        std::unique_ptr<NESurface> fan = makeSurface(points);
        NESurface reference;
        NESurface linear;
        const SweepStop want = walk(fan.get(), area, &reference);
        const SweepStop got = sweepToArea(fan.get(), area, &linear);
        ++m_compared;
        ASSERT_EQ(got.lastVertex, want.lastVertex) << what;
        EXPECT_EQ(bitsOf(got.current), bitsOf(want.current)) << what;
        EXPECT_EQ(bitsOf(got.previous), bitsOf(want.previous)) << what;
        ASSERT_EQ(linear.numVerts(), reference.numVerts()) << what;
        for (unsigned int k = 0; k < linear.numVerts(); ++k) {
            AcGePoint2d a;
            AcGePoint2d b;
            double bulgeA = 0.0;
            double bulgeB = 0.0;
            linear.getPointAt(k, a);
            reference.getPointAt(k, b);
            linear.getBulgeAt(k, bulgeA);
            reference.getBulgeAt(k, bulgeB);
            EXPECT_EQ(bitsOf(a.x), bitsOf(b.x)) << what << " vertex " << k;
            EXPECT_EQ(bitsOf(a.y), bitsOf(b.y)) << what << " vertex " << k;
            EXPECT_EQ(bitsOf(bulgeA), bitsOf(bulgeB)) << what << " vertex " << k;
        }
    }

    // The areas worth asking on a fan: random ones, and those the part holds exactly at a vertex,
    // a rounding unit either side and the area tolerance either side, where a comparison decides
    // whether the walk goes on.
    std::vector<double> areasToAsk(std::mt19937& rng, const std::vector<Pt>& points)
    {
        std::unique_ptr<NESurface> fan = makeSurface(points);
        NESurface full;
        const double whole = measureEveryVertex(fan.get(), std::numeric_limits<double>::infinity(), &full).current;
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::vector<double> areas{0.0, whole, unit(rng) * whole, unit(rng) * whole};
        const unsigned int at = std::uniform_int_distribution<unsigned int>(2, fan->numVerts() - 1)(rng);
        NESurface upTo;
        for (unsigned int k = 0; k <= at; ++k)
            kelvora::division::appendVertexFrom(&upTo, fan.get(), k);
        const double exact = sweptAreaOf(&upTo, kelvora::division::orientationOf(fan.get()));
        for (double a : {exact, exact + 1e-7, exact - 1e-7}) {
            areas.push_back(a);
            areas.push_back(std::nextafter(a, 0.0));
            areas.push_back(std::nextafter(a, std::numeric_limits<double>::infinity()));
        }
        return areas;
    }

    int m_compared = 0;
};

TEST_F(FanSweep, MatchesMeasuringEveryVertexOnRandomFansWithArcs)
{
    std::mt19937 rng(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int shape = 0; shape < 300; ++shape) {
        const OutlineKind kind = shape % 2 == 0 ? OutlineKind::kConvex : OutlineKind::kConcave;
        // Parcel sizes, some at survey coordinates where the last bits are coarse.
        const Pt centre = shape % 5 == 0 ? Pt{512345.678 + unit(rng), 6123456.789 + unit(rng)} : Pt{0.0, 0.0};
        const double size = 5.0 + 300.0 * unit(rng);
        const std::vector<Pt> outline = randomOutline(rng, kind, centre, size, 60);
        const Pt pivot{centre.x + 0.1 * size * (unit(rng) - 0.5), centre.y + 0.1 * size * (unit(rng) - 0.5)};
        const std::vector<Pt> fan = fanAround(pivot, outline);
        for (double area : areasToAsk(rng, fan))
            expectSameWalk(fan, area, "shape " + std::to_string(shape) + " area " + std::to_string(area));
    }
    EXPECT_EQ(m_compared, 300 * 13);
}

// Convex outlines with outward arcs seen from near their centre: every part turns one way, and
// the walk gives what it gave when it measured the unsigned area after every vertex.
TEST_F(FanSweep, MatchesTheUnsignedWalkWhereThePartNeverDoublesBack)
{
    std::mt19937 rng(1712);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int shape = 0; shape < 150; ++shape) {
        const Pt centre = shape % 5 == 0 ? Pt{512345.678 + unit(rng), 6123456.789 + unit(rng)} : Pt{0.0, 0.0};
        const double size = 5.0 + 300.0 * unit(rng);
        const std::vector<Pt> outline = randomOutline(rng, OutlineKind::kConvex, centre, size, 60);
        const Pt pivot{centre.x + 0.1 * size * (unit(rng) - 0.5), centre.y + 0.1 * size * (unit(rng) - 0.5)};
        const std::vector<Pt> fan = fanAround(pivot, outline);
        for (double area : areasToAsk(rng, fan))
            expectSameWalk(fan, area, "shape " + std::to_string(shape) + " area " + std::to_string(area),
                           measureEveryVertexUnsigned);
    }
}

// A fan from a corner whose first segment is an arc bulging into the parcel: the part of two
// vertices is that arc's cap taken away, and the unsigned measure would count it as gained.
TEST_F(FanSweep, AnArcBulgingIntoThePartCountsAgainstIt)
{
    // The square 10 x 10 walked counter-clockwise from (0, 0), its first side bowed inwards.
    std::unique_ptr<NESurface> fan = makeSurface({{0, 0, -0.2}, {10, 0}, {10, 10}, {0, 10}});
    NESurface part;
    const SweepStop stop = sweepToArea(fan.get(), 20.0, &part);
    const double sweep = 4.0 * std::atan(0.2);
    const double radius = 5.0 / std::sin(sweep / 2.0);
    const double cap = 0.5 * radius * radius * (sweep - std::sin(sweep));
    EXPECT_EQ(stop.lastVertex, 2u);
    EXPECT_NEAR(stop.previous, -cap, 1e-9);
    EXPECT_NEAR(stop.current, 50.0 - cap, 1e-9);
}

TEST_F(FanSweep, MatchesOnFansThatDoubleBackAndRepeatPoints)
{
    // Not parcels: points anywhere, repeated, in line with the pivot, arcs of any bulge; the swept
    // area then rises and falls, and ties and near ties are common.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> grid(-4, 4);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int shape = 0; shape < 200; ++shape) {
        std::vector<Pt> fan{{0.0, 0.0}};
        const int n = std::uniform_int_distribution<int>(2, 30)(rng);
        for (int k = 0; k < n; ++k) {
            Pt p{double(grid(rng)), double(grid(rng)), 0.0};
            if (unit(rng) < 0.3)
                p.bulge = 2.0 * unit(rng) - 1.0;
            fan.push_back(p);
        }
        for (double area : areasToAsk(rng, fan))
            expectSameWalk(fan, area, "shape " + std::to_string(shape) + " area " + std::to_string(area));
    }
}

TEST_F(FanSweep, AFanOfTwoVerticesIsThePartAsItStands)
{
    std::unique_ptr<NESurface> fan = makeSurface({{0, 0, 1.0}, {10, 0}});
    NESurface part;
    const SweepStop stop = sweepToArea(fan.get(), 5.0, &part);
    EXPECT_EQ(stop.lastVertex, 1u);
    EXPECT_EQ(part.numVerts(), 2u);
    // The half disc on the chord from the pivot: the only segment of the open part is its arc.
    EXPECT_NEAR(stop.current, 12.5 * std::numbers::pi, 1e-9);
    EXPECT_EQ(bitsOf(stop.previous), bitsOf(stop.current));
}

TEST_F(FanSweep, ANaNAreaStopsAtOnceAsTheComparisonFails)
{
    std::unique_ptr<NESurface> fan = makeSurface({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    NESurface part;
    const SweepStop stop = sweepToArea(fan.get(), std::numeric_limits<double>::quiet_NaN(), &part);
    EXPECT_EQ(stop.lastVertex, 1u);
    EXPECT_DOUBLE_EQ(stop.current, 0.0);
}

}  // namespace

namespace {

// The signed area written out independently: shoelace sum plus each arc's cap from its bulge.
double signedAreaByHand(const std::vector<Pt>& points)
{
    double area = 0.0;
    const size_t n = points.size();
    for (size_t k = 0; k < n; ++k) {
        const Pt& a = points[k];
        const Pt& b = points[(k + 1) % n];
        area += 0.5 * (a.x * b.y - b.x * a.y);
        if (k + 1 < n && std::fabs(a.bulge) > 0.0) {
            const double sweep = 4.0 * std::atan(a.bulge);
            const double chordSq = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
            area += chordSq * (sweep - std::sin(sweep)) / (8.0 * std::pow(std::sin(sweep / 2.0), 2));
        }
    }
    return area;
}

class SweptArea : public division_test::DivisionTest {};

// On the open stretches of random outlines (closed by their chords, so often crossing
// themselves): the host's unsigned measure, with the sign of the region's sense.
TEST_F(SweptArea, IsTheHostsMeasureWithTheSenseAsSign)
{
    std::mt19937 rng(99);
    int checked = 0;
    for (int shape = 0; shape < 200; ++shape) {
        std::vector<Pt> outline =
            randomOutline(rng, shape % 2 == 0 ? OutlineKind::kConvex : OutlineKind::kConcave, Pt{3.0, -2.0}, 50.0);
        const size_t length = std::uniform_int_distribution<size_t>(2, outline.size())(rng);
        outline.resize(length);
        NESurface stretch;
        for (const Pt& p : outline)
            stretch.addVertexAt(stretch.numVerts(), AcGePoint2d(p.x, p.y), p.bulge);
        const double byHand = signedAreaByHand(outline);
        // Too near nothing to have a sense worth testing.
        if (std::fabs(byHand) < 1e-6)
            continue;
        const double host = kelvora::division::areaOf(&stretch);
        const double sense = byHand < 0.0 ? -1.0 : 1.0;
        EXPECT_EQ(bitsOf(sweptAreaOf(&stretch, 1.0)), bitsOf(sense * host)) << shape;
        EXPECT_EQ(bitsOf(sweptAreaOf(&stretch, -1.0)), bitsOf(-sense * host)) << shape;
        EXPECT_NEAR(std::fabs(byHand), host, 1e-9 * host) << shape;
        EXPECT_DOUBLE_EQ(kelvora::division::orientationOf(&stretch), sense) << shape;
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

}  // namespace
