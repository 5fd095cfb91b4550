// Self-intersection: the pair rule's cases, and the sweep agreeing with the pairwise reference on every test polyline.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"
#include "polyline_fixtures.h"

namespace {

using kernel_test::bulgeOfSweep;
using kernel_test::deg;
using kernel_test::makePolyline;
using kernel_test::V;

struct CrossingCase {
    const char* name;
    std::vector<V> vertices;
    bool closed;
    bool crosses;
};

std::ostream& operator<<(std::ostream& os, const CrossingCase& c)
{
    return os << c.name;
}

class SelfIntersection : public ::testing::TestWithParam<CrossingCase> {};

// Both the sweep and the pairwise reference give the expected answer.
TEST_P(SelfIntersection, AnswersAsThePairRuleSays)
{
    const CrossingCase& c = GetParam();
    auto pline = makePolyline(c.vertices, c.closed);
    EXPECT_EQ(kernel_internal::isSelfIntersectingPairwise(pline.get()), c.crosses) << c.name;
    EXPECT_EQ(isSelfIntersecting(pline.get()), c.crosses) << c.name;
}

const double kQuarter = bulgeOfSweep(deg(90));

INSTANTIATE_TEST_SUITE_P(
    Kernel, SelfIntersection,
    ::testing::Values(
        // Segment 0 is not tested against the last one, which it touches at vertex 0.
        CrossingCase{"closed_triangle", {{0, 0}, {4, 0}, {2, 3}}, true, false},
        CrossingCase{"closed_square", {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true, false},
        CrossingCase{"closed_bow_tie", {{0, 0}, {4, 4}, {4, 0}, {0, 4}}, true, true},
        // In an open polyline too the last segment is never tested against segment 0.
        CrossingCase{"open_bow_tie_last_against_first", {{0, 0}, {4, 4}, {4, 0}, {0, 4}}, false, false},
        CrossingCase{"open_last_crosses_first_only", {{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, -1}}, false, false},
        CrossingCase{"open_third_crosses_first", {{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, -1}, {1, -1}}, false, true},
        CrossingCase{"two_segments_never_cross", {{0, 0}, {4, 0}, {0, 0.1}}, false, false},
        CrossingCase{"open_zigzag", {{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}}, false, false},
        // A vertex on a non-adjacent segment (T touch) counts.
        CrossingCase{"vertex_touches_segment", {{0, 0}, {4, 0}, {4, 2}, {2, 0}, {2, -2}}, false, true},
        // Line j folding back through the end of line i: a touch at i's end does not count.
        CrossingCase{"fold_back_through_end_of_earlier_line", {{0, 0}, {2, 0}, {2, 2}, {2, -1}, {3, -2}}, false,
                     false},
        // An arc i, a doubled vertex, then a line j from the arc's end back across it: j is a
        // neighbour of i across the degenerate segment and is not tested.
        CrossingCase{"line_from_arc_end_across_doubled_vertex",
                     {{0, 0, 1.0}, {2, 0}, {2, 0}, {1, -2}, {3, -2}},
                     false, false},
        // A line j that starts on arc i and leaves it: one touch at j's start does not count.
        CrossingCase{"line_leaving_from_a_point_of_earlier_arc",
                     {{0, 0, kQuarter}, {1, 1}, {0.6, 0.2}, {1.2, -0.6}, {3, -1}, {4, 0}},
                     false, false},
        // A line ending on an earlier arc does count.
        CrossingCase{"line_ending_on_earlier_arc",
                     {{0, 0, kQuarter}, {1, 1}, {2, -1}, {1.2, -0.6}, {0.6, 0.2}, {-1, 0.2}},
                     false, true},
        // The arc bulges across a later line; its chord would not.
        CrossingCase{"arc_crosses_later_line", {{0, 0}, {4, 0, -1.0}, {4, 4}, {2.5, 4}, {2.5, -1}}, false, true},
        // A later arc bulging down across a line; its chord stays clear.
        CrossingCase{"line_crossing_later_arc", {{0, 0}, {4, 0}, {4, 1}, {3, 1, -1.5}, {1, 1}, {1, 3}}, false,
                     true},
        // Two arcs crossing where their chords are 3 apart.
        CrossingCase{"two_arcs_crossing",
                     {{0, 0, 1.0}, {4, 0}, {4, -5}, {1, -5}, {1, -3, -1.5}, {3, -3}, {3, -4}},
                     false, true},
        // Arcs of one circle do not meet each other.
        CrossingCase{"circle_of_four_quarters",
                     {{1, 0, kQuarter}, {0, 1, kQuarter}, {-1, 0, kQuarter}, {0, -1, kQuarter}},
                     true, false}),
    [](const ::testing::TestParamInfo<CrossingCase>& info) { return std::string(info.param.name); });

TEST(SelfIntersection, NullAndTinyPolylinesDoNotCross)
{
    EXPECT_FALSE(isSelfIntersecting(nullptr));
    EXPECT_FALSE(isSelfIntersecting(makePolyline({}).get()));
    EXPECT_FALSE(isSelfIntersecting(makePolyline({{0, 0}, {1, 1}}, true).get()));
    EXPECT_FALSE(isSelfIntersecting(makePolyline({{0, 0}, {1, 1}, {0, 1}}, false).get()));
}

// The crossing test takes the host's global tolerance: a near miss of 5e-3 counts under 1e-2 and
// not under the default; the sweep must not prune a pair the pairwise rule counts.
TEST(SelfIntersection, NearMissCountsUnderAWideGlobalTolerance)
{
    // Segment 3 ends 5e-3 short of segment 0.
    auto pline = makePolyline({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 0.005}, {3, 2}}, false);
    EXPECT_FALSE(isSelfIntersecting(pline.get()));
    kernel_test::GlobalTolerance wide(1e-2, 1e-2);
    EXPECT_TRUE(kernel_internal::isSelfIntersectingPairwise(pline.get()));
    EXPECT_TRUE(isSelfIntersecting(pline.get()));
}

// The crossing is found in world space for a polyline in any plane.
TEST(SelfIntersection, TiltedPlaneAndElevation)
{
    auto bowTie = makePolyline({{0, 0}, {4, 4}, {4, 0}, {0, 4}}, true);
    auto square = makePolyline({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
    for (AcDbPolyline* p : {bowTie.get(), square.get()}) {
        p->setNormal(AcGeVector3d(0.3, -0.5, 0.8));
        p->setElevation(12.5);
    }
    EXPECT_TRUE(isSelfIntersecting(bowTie.get()));
    EXPECT_FALSE(isSelfIntersecting(square.get()));
}

TEST(SelfIntersection, LargeRingsFoundWholeOrCrossedOnce)
{
    auto ring = kernel_test::wavyRing(2000, true);
    EXPECT_FALSE(isSelfIntersecting(ring.get()));
    // Move one vertex beyond the far side of the ring: its two segments now cross it.
    AcGePoint2d p;
    ring->getPointAt(500, p);
    ring->setPointAt(500, AcGePoint2d(-1.5 * p.x, -1.5 * p.y));
    EXPECT_TRUE(isSelfIntersecting(ring.get()));
    EXPECT_TRUE(kernel_internal::isSelfIntersectingPairwise(ring.get()));
}

// Random polylines of lines and arcs, open and closed, at several scales and tolerances, some with
// doubled vertices and with segments brushing others: the sweep must answer exactly as the
// pairwise rule on every one, and both answers must occur.
TEST(SelfIntersection, SweepAgreesWithPairwiseOnRandomPolylines)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int crossing = 0, clean = 0;
    const double tolerances[] = {1e-10, 1e-6, 1e-2};
    for (int round = 0; round < 600; ++round) {
        const int n = 3 + static_cast<int>(unit(random) * 12);
        const double scale = round % 3 == 0 ? 1.0 : (round % 3 == 1 ? 1000.0 : 1e6);
        const double offset = round % 5 == 0 ? 6.5e6 : 0.0;
        std::vector<V> vertices;
        // A walk that mostly goes forward, so that crossings are neither certain nor impossible.
        double x = offset, y = offset, heading = unit(random) * 2 * kernel_test::kPi;
        for (int k = 0; k < n; ++k) {
            V v{x, y, 0.0};
            double kind = unit(random);
            if (kind < 0.3)
                v.bulge = (unit(random) - 0.5) * 3.0;
            else if (kind < 0.35 && !vertices.empty())
                v = vertices.back();  // a doubled vertex
            vertices.push_back(v);
            heading += (unit(random) - 0.5) * 3.0;
            double step = scale * (0.2 + unit(random));
            x += step * std::cos(heading);
            y += step * std::sin(heading);
        }
        if (round % 7 == 0 && n > 4)
            vertices[n - 1] = {vertices[1].x, vertices[1].y + scale * 1e-9, 0.0};  // brushing a vertex
        const bool closed = round % 2 == 0;
        auto pline = makePolyline(vertices, closed);
        kernel_test::GlobalTolerance tol(tolerances[round % 3] * scale, 1e-10);
        const bool reference = kernel_internal::isSelfIntersectingPairwise(pline.get());
        ASSERT_EQ(isSelfIntersecting(pline.get()), reference) << "round " << round;
        (reference ? crossing : clean) += 1;
    }
    EXPECT_GT(crossing, 50);
    EXPECT_GT(clean, 50);
}

// Long polylines with many near neighbours: rows of short segments a little apart.
TEST(SelfIntersection, SweepAgreesWithPairwiseOnDenseSerpentines)
{
    auto clean = kernel_test::serpentine(12, 40);
    EXPECT_FALSE(isSelfIntersecting(clean.get()));
    EXPECT_FALSE(kernel_internal::isSelfIntersectingPairwise(clean.get()));
    // One vertex pulled down onto the row below.
    auto pulled = kernel_test::serpentine(12, 40);
    AcGePoint2d p;
    pulled->getPointAt(200, p);
    pulled->setPointAt(200, AcGePoint2d(p.x, p.y - 10.0));
    EXPECT_TRUE(isSelfIntersecting(pulled.get()));
    EXPECT_TRUE(kernel_internal::isSelfIntersectingPairwise(pulled.get()));
}

}  // namespace
