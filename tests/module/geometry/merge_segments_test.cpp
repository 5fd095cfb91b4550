// Merging collinear lines and co-circular arcs: vertex 0, full turns, drift, write-back, global tolerance and passes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gegbl.h"
#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"
#include "polyline_fixtures.h"

namespace {

using kernel_test::bulgeOfSweep;
using kernel_test::deg;
using kernel_test::makePolyline;
using kernel_test::V;
using kernel_test::verticesOf;

// The rebuild tolerances the surface commands use.
constexpr double kTol = 1e-4;

void expectPoints(const AcDbPolyline& pline, const std::vector<AcGePoint2d>& expected)
{
    std::vector<V> got = verticesOf(pline);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, 1e-12) << "vertex " << i;
        EXPECT_NEAR(got[i].y, expected[i].y, 1e-12) << "vertex " << i;
    }
}

TEST(MergeCollinearSegments, SquareWithCornerAtVertexZeroBecomesFourVertices)
{
    auto square = makePolyline({{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}, {2, 4}, {0, 4}, {0, 2}}, true);
    mergeCollinearSegments(square.get(), kTol, kTol);
    expectPoints(*square, {{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    EXPECT_TRUE(square->isClosed());
}

// No merge crosses vertex 0: the bottom side stays in two pieces.
TEST(MergeCollinearSegments, SquareWithVertexZeroMidSideKeepsIt)
{
    auto square = makePolyline({{2, 0}, {4, 0}, {4, 2}, {4, 4}, {2, 4}, {0, 4}, {0, 2}, {0, 0}}, true);
    mergeCollinearSegments(square.get(), kTol, kTol);
    expectPoints(*square, {{2, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}});
}

TEST(MergeCollinearSegments, OpenStraightRunBecomesOneLine)
{
    auto run = makePolyline({{0, 0}, {1, 0}, {2.5, 0}, {3, 0}, {3, 1}});
    mergeCollinearSegments(run.get(), kTol, kTol);
    expectPoints(*run, {{0, 0}, {3, 0}, {3, 1}});
}

struct ArcRunCase {
    const char* name;
    std::vector<V> vertices;
    bool closed;
    std::vector<V> expected;  // points and bulges
};

std::ostream& operator<<(std::ostream& os, const ArcRunCase& c)
{
    return os << c.name;
}

class MergeArcs : public ::testing::TestWithParam<ArcRunCase> {};

TEST_P(MergeArcs, MergeBelowAFullTurnOnly)
{
    const ArcRunCase& c = GetParam();
    auto pline = makePolyline(c.vertices, c.closed);
    mergeCollinearSegments(pline.get(), kTol, kTol);
    std::vector<V> got = verticesOf(*pline);
    ASSERT_EQ(got.size(), c.expected.size()) << c.name;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, c.expected[i].x, 1e-12) << c.name << " vertex " << i;
        EXPECT_NEAR(got[i].y, c.expected[i].y, 1e-12) << c.name << " vertex " << i;
        EXPECT_NEAR(got[i].bulge, c.expected[i].bulge, 1e-9) << c.name << " vertex " << i;
    }
}

const double kQ = bulgeOfSweep(deg(90));
const double kT = bulgeOfSweep(deg(120));
const double kC120 = std::cos(deg(120)), kS120 = std::sin(deg(120));

INSTANTIATE_TEST_SUITE_P(
    Kernel, MergeArcs,
    ::testing::Values(
        ArcRunCase{"two_quarters_make_a_half", {{1, 0, kQ}, {0, 1, kQ}, {-1, 0}}, false, {{1, 0, 1.0}, {-1, 0, 0.0}}},
        ArcRunCase{"two_quarters_clockwise", {{1, 0, -kQ}, {0, -1, -kQ}, {-1, 0}}, false,
                   {{1, 0, -1.0}, {-1, 0, 0.0}}},
        // 120 + 120 degrees: one arc of 240 degrees, bulge tan(60 degrees).
        ArcRunCase{"two_thirds_of_a_turn",
                   {{1, 0, kT}, {kC120, kS120, kT}, {kC120, -kS120}},
                   false,
                   {{1, 0, std::tan(deg(60))}, {kC120, -kS120, 0.0}}},
        ArcRunCase{"two_thirds_of_a_turn_clockwise",
                   {{1, 0, -kT}, {kC120, -kS120, -kT}, {kC120, kS120}},
                   false,
                   {{1, 0, -std::tan(deg(60))}, {kC120, kS120, 0.0}}},
        // A third 120 degree arc would complete the circle: it stays apart.
        ArcRunCase{"three_thirds_stay_two_arcs",
                   {{1, 0, kT}, {kC120, kS120, kT}, {kC120, -kS120, kT}, {1, 0}},
                   false,
                   {{1, 0, std::tan(deg(60))}, {kC120, -kS120, std::tan(deg(30))}, {1, 0, 0.0}}},
        ArcRunCase{"past_a_full_turn_stay_two_arcs",
                   {{1, 0, kT}, {kC120, kS120, kT}, {kC120, -kS120, bulgeOfSweep(deg(130))},
                    {std::cos(deg(10)), std::sin(deg(10))}},
                   false,
                   {{1, 0, std::tan(deg(60))},
                    {kC120, -kS120, bulgeOfSweep(deg(130))},
                    {std::cos(deg(10)), std::sin(deg(10)), 0.0}}},
        // A closed circle of four quarters: three merge (270 degrees), the last closes the ring.
        ArcRunCase{"closed_circle_of_quarters",
                   {{1, 0, kQ}, {0, 1, kQ}, {-1, 0, kQ}, {0, -1, kQ}},
                   true,
                   {{1, 0, std::tan(deg(270) / 4)}, {0, -1, kQ}}},
        // Back along the same circle the other way: the turning senses differ.
        ArcRunCase{"same_circle_opposite_senses",
                   {{1, 0, kQ}, {0, 1, -bulgeOfSweep(deg(45))}, {std::sqrt(0.5), std::sqrt(0.5)}},
                   false,
                   {{1, 0, kQ}, {0, 1, -bulgeOfSweep(deg(45))}, {std::sqrt(0.5), std::sqrt(0.5), 0.0}}},
        // Lines and arcs mixed: a straight run, a half circle in two quarters, a straight run.
        ArcRunCase{"line_arcs_line",
                   {{-2, 1}, {-1, 1}, {0, 1, -kQ}, {1, 0, -kQ}, {0, -1}, {-1, -1}, {-2, -1}},
                   false,
                   {{-2, 1, 0.0}, {0, 1, -1.0}, {0, -1, 0.0}, {-2, -1, 0.0}}}),
    [](const ::testing::TestParamInfo<ArcRunCase>& info) { return std::string(info.param.name); });

// Whole circles made of equal arcs whose sweeps sum to a hair under a full turn in floating point
// (36 of 10 degrees, 6 of 60): the last arc stays apart, the circle does not collapse.
TEST(MergeCollinearSegments, CircleOfEqualArcsKeepsTwoVertices)
{
    for (int count : {4, 5, 6, 8, 10, 12, 36}) {
        std::vector<V> ring;
        const double sweep = 2.0 * kernel_test::kPi / count;
        for (int k = 0; k < count; ++k)
            ring.push_back({5.0 * std::cos(k * sweep), 5.0 * std::sin(k * sweep), bulgeOfSweep(sweep)});
        auto pline = makePolyline(ring, true);
        mergeCollinearSegments(pline.get(), kTol, kTol);
        std::vector<V> got = verticesOf(*pline);
        ASSERT_EQ(got.size(), 2u) << count << " arcs";
        EXPECT_NEAR(got[0].bulge, std::tan((2.0 * kernel_test::kPi - sweep) / 4.0), 1e-9) << count << " arcs";
        EXPECT_NEAR(got[1].bulge, bulgeOfSweep(sweep), 1e-9) << count << " arcs";
    }
}

// Arcs merge when their centres agree under the point tolerance and their radii within 1e-6.
TEST(MergeCollinearSegments, CoCircularArcsNeedRadiiWithinAMillionth)
{
    for (double offset : {1e-5, 1e-7}) {
        const double r2 = 1.0 - offset;
        auto pline = makePolyline({{1, 0, kQ}, {0, 1, kQ}, {-r2, offset}});
        mergeCollinearSegments(pline.get(), 1e-3, 1e-3);
        const bool merged = offset < 1e-6;
        EXPECT_EQ(pline->numVerts(), merged ? 2u : 3u) << "centre offset " << offset;
        if (merged) {
            double bulge = 0.0;
            pline->getBulgeAt(0, bulge);
            EXPECT_NEAR(bulge, 1.0, 1e-6);
        }
    }
}

// The direction of a new line is measured from the running line's start: a gentle curve of short
// segments, each turning less than the tolerance, is not flattened into one line.
TEST(MergeCollinearSegments, DirectionFromRunStartStopsDrift)
{
    std::vector<V> arcPoints;
    const double radius = 1000.0, step = 0.002;  // each segment turns 0.002 rad, tolerance 0.01
    for (int k = 0; k <= 100; ++k)
        arcPoints.push_back({radius * std::cos(k * step), radius * std::sin(k * step)});
    auto pline = makePolyline(arcPoints);
    mergeCollinearSegments(pline.get(), 1e-6, 0.01);
    std::vector<V> got = verticesOf(*pline);
    // Runs of about eleven segments: the chord from a run's start turns half as fast as the curve.
    EXPECT_GE(got.size(), 8u);
    EXPECT_LE(got.size(), 12u);
    // The survivors are original vertices, the ends included.
    EXPECT_DOUBLE_EQ(got.front().x, arcPoints.front().x);
    EXPECT_DOUBLE_EQ(got.back().y, arcPoints.back().y);
    for (const V& v : got) {
        bool original = false;
        for (const V& a : arcPoints)
            original = original || (v.x == a.x && v.y == a.y);
        EXPECT_TRUE(original) << v.x << "," << v.y;
    }
}

// The comparison takes the direction from the run's start to the new end, not the new line's own
// direction: a parallel line shifted sideways (across a segment shorter than the point tolerance)
// does not join the run.
TEST(MergeCollinearSegments, ParallelButOffsetLineDoesNotJoin)
{
    auto pline = makePolyline({{0, 0}, {1, 0}, {1, 0.005}, {2, 0.005}});
    mergeCollinearSegments(pline.get(), 0.01, 0.001);
    expectPoints(*pline, {{0, 0}, {1, 0}, {2, 0.005}});
}

// Segments shorter than the point tolerance are degenerate: the doubled vertex goes.
TEST(MergeCollinearSegments, DoubledVertexIsDropped)
{
    auto pline = makePolyline({{0, 0}, {1, 0}, {1, 0}, {1, 1}});
    mergeCollinearSegments(pline.get(), kTol, kTol);
    expectPoints(*pline, {{0, 0}, {1, 0}, {1, 1}});
}

// Vertices go from the end, then points and bulges are copied; widths stay with their index.
TEST(MergeCollinearSegments, WriteBackKeepsWidthsByIndex)
{
    auto pline = makePolyline({{0, 0, 0, 1, 2}, {1, 0, 0, 3, 4}, {2, 0, 0.5, 5, 6}, {3, 0, 0, 7, 8}});
    mergeCollinearSegments(pline.get(), kTol, kTol);
    std::vector<V> got = verticesOf(*pline);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_DOUBLE_EQ(got[1].x, 2.0);
    EXPECT_NEAR(got[1].bulge, 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(got[0].startWidth, 1.0);
    EXPECT_DOUBLE_EQ(got[0].endWidth, 2.0);
    EXPECT_DOUBLE_EQ(got[1].startWidth, 3.0);
    EXPECT_DOUBLE_EQ(got[1].endWidth, 4.0);
    EXPECT_DOUBLE_EQ(got[2].startWidth, 5.0);
    EXPECT_DOUBLE_EQ(got[2].endWidth, 6.0);
}

// Nothing merged: the polyline is left exactly as it was, bulges not recomputed.
TEST(MergeCollinearSegments, NothingToMergeLeavesThePolylineUntouched)
{
    const double oddBulge = 0.123456789012345;
    std::vector<V> input = {{0, 0, oddBulge, 1, 1}, {3, 1, 0, 2, 2}, {4, 5, 0, 3, 3}};
    auto pline = makePolyline(input);
    mergeCollinearSegments(pline.get(), kTol, kTol);
    std::vector<V> got = verticesOf(*pline);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].bulge, oddBulge);
}

TEST(MergeCollinearSegments, GlobalToleranceIsRestoredOnEveryExit)
{
    kernel_test::GlobalTolerance callers(3e-7, 5e-7);
    auto check = [](const char* what) {
        EXPECT_DOUBLE_EQ(AcGeContext::gTol.equalPoint(), 3e-7) << what;
        EXPECT_DOUBLE_EQ(AcGeContext::gTol.equalVector(), 5e-7) << what;
    };
    mergeCollinearSegments(nullptr, 0.5, 0.5);
    check("null polyline");
    mergeCollinearSegments(makePolyline({{0, 0}, {1, 0}}).get(), 0.5, 0.5);
    check("two vertices");
    mergeCollinearSegments(makePolyline({{0, 0}, {0, 0}, {0, 0}}).get(), 0.5, 0.5);
    check("no line or arc");
    mergeCollinearSegments(makePolyline({{0, 0}, {1, 0}, {2, 0}}).get(), 0.5, 0.5);
    check("a merge");
}

// The tolerances given apply inside: what counts as collinear depends on the vector tolerance.
TEST(MergeCollinearSegments, VectorToleranceDecidesCollinearity)
{
    auto tight = makePolyline({{0, 0}, {1, 0}, {2, 0.01}});
    mergeCollinearSegments(tight.get(), 1e-6, 1e-3);
    EXPECT_EQ(tight->numVerts(), 3u);
    auto loose = makePolyline({{0, 0}, {1, 0}, {2, 0.01}});
    mergeCollinearSegments(loose.get(), 1e-6, 0.05);
    EXPECT_EQ(loose->numVerts(), 2u);
}

// A staircase of blocks, each: a short segment (3 units) turned up by 0.0102 rad, a long one (50)
// along the block's axis, a long one turned down by 0.004 rad; blocks alternate east and north.
// Under a vector tolerance of 0.01 a first pass keeps two vertices per block: its run takes the
// short segment's direction, the long one stays within the tolerance of it, the turned-down one
// does not. A second pass runs from the merged line's direction and takes the third segment too.
std::unique_ptr<AcDbPolyline> twoPassStaircase(int blocks)
{
    const double shortLength = 3.0, longLength = 50.0, up = 0.0102, down = 0.004;
    std::vector<V> vertices;
    double sx = 0.0, sy = 0.0;
    for (int b = 0; b < blocks; ++b) {
        const bool north = b % 2 == 1;
        auto place = [&](double lx, double ly) {
            return north ? V{sx - ly, sy + lx} : V{sx + lx, sy + ly};
        };
        const double px = shortLength * std::cos(up), py = shortLength * std::sin(up);
        const double xx = px + longLength, xy = py;
        const double yx = xx + longLength * std::cos(down), yy = xy - longLength * std::sin(down);
        vertices.push_back(place(0, 0));
        vertices.push_back(place(px, py));
        vertices.push_back(place(xx, xy));
        V next = place(yx, yy);
        sx = next.x;
        sy = next.y;
    }
    vertices.push_back({sx, sy});
    return makePolyline(vertices);
}

// 99 blocks: 199 vertices after the first pass, so there is no second one.
TEST(MergeCollinearSegments, OnePassWhenTheFirstLeavesAtMost200Vertices)
{
    auto pline = twoPassStaircase(99);
    EXPECT_EQ(kernel_internal::mergeCollinearSegmentsCountingPasses(pline.get(), 1e-6, 0.01), 1);
    EXPECT_EQ(pline->numVerts(), 2u * 99u + 1u);
}

// 100 blocks: 201 vertices after the first pass; the second pass merges down to 101, and the third
// is made all the same.
TEST(MergeCollinearSegments, ThreePassesOnceTheFirstLeavesMoreThan200)
{
    auto pline = twoPassStaircase(100);
    EXPECT_EQ(kernel_internal::mergeCollinearSegmentsCountingPasses(pline.get(), 1e-6, 0.01), 3);
    EXPECT_EQ(pline->numVerts(), 101u);
}

// Passes stop at three even when nothing changes and the count stays above 200.
TEST(MergeCollinearSegments, NoMoreThanThreePasses)
{
    std::vector<V> zigzag;
    for (int k = 0; k < 300; ++k)
        zigzag.push_back({static_cast<double>(k), k % 2 == 0 ? 0.0 : 1.0});
    auto pline = makePolyline(zigzag);
    EXPECT_EQ(kernel_internal::mergeCollinearSegmentsCountingPasses(pline.get(), kTol, kTol), 3);
    EXPECT_EQ(pline->numVerts(), 300u);
}

}  // namespace
