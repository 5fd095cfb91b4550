// Reversing a polyline (bulges, widths, closed flag, twice gives the start) and appending one polyline to another.
#include <gtest/gtest.h>

#include <vector>

#include "geometry/polyline_kernel.h"
#include "polyline_fixtures.h"

namespace {

using kernel_test::makePolyline;
using kernel_test::V;
using kernel_test::verticesOf;

void expectSame(const std::vector<V>& got, const std::vector<V>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].x, expected[i].x) << "vertex " << i;
        EXPECT_EQ(got[i].y, expected[i].y) << "vertex " << i;
        EXPECT_EQ(got[i].bulge, expected[i].bulge) << "vertex " << i;
        EXPECT_EQ(got[i].startWidth, expected[i].startWidth) << "vertex " << i;
        EXPECT_EQ(got[i].endWidth, expected[i].endWidth) << "vertex " << i;
    }
}

// Three vertices with bulges (b0, b1, b2): reversed, (-b1, -b0, -b2), points in reverse order,
// each segment's widths swapped and carried with it.
TEST(ReversePolyline, ThreeVerticesOpen)
{
    auto pline = makePolyline({{0, 0, 0.1, 1, 2}, {1, 0, 0.2, 3, 4}, {1, 1, 0.3, 5, 6}});
    reversePolyline(pline.get());
    expectSame(verticesOf(*pline), {{1, 1, -0.2, 4, 3}, {1, 0, -0.1, 2, 1}, {0, 0, -0.3, 6, 5}});
    EXPECT_FALSE(pline->isClosed());
}

// On a closed polyline the last new vertex takes the closing segment, walked backwards.
TEST(ReversePolyline, ClosedKeepsTheClosingSegmentItsBulge)
{
    auto pline = makePolyline({{0, 0, 0.5}, {2, 0, 0}, {2, 2, 0}, {0, 2, -0.25}}, true);
    reversePolyline(pline.get());
    std::vector<V> got = verticesOf(*pline);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_TRUE(pline->isClosed());
    // New segment 2 runs from (2,0) back to (0,0): old segment 0 reversed.
    EXPECT_EQ(got[2].x, 2.0);
    EXPECT_EQ(got[2].bulge, -0.5);
    // New segment 3 runs from (0,0) to (0,2): the old closing segment reversed.
    EXPECT_EQ(got[3].x, 0.0);
    EXPECT_EQ(got[3].y, 0.0);
    EXPECT_EQ(got[3].bulge, 0.25);
}

TEST(ReversePolyline, TwiceGivesTheStartBack)
{
    for (bool closed : {false, true}) {
        std::vector<V> input = {{0, 0, 0.3, 1, 2}, {4, 1, -0.7, 3, 4}, {5, 5, 0, 0, 0}, {1, 4, 1.5, 7, 0.5}};
        auto pline = makePolyline(input, closed);
        reversePolyline(pline.get());
        reversePolyline(pline.get());
        expectSame(verticesOf(*pline), input);
        EXPECT_EQ(pline->isClosed(), closed);
    }
}

// The reversed polyline is the same curve walked the other way.
TEST(ReversePolyline, SameCurveOtherWay)
{
    auto pline = makePolyline({{0, 0, 0.4}, {3, 0, -1.2}, {3, 3, 0.0}, {0, 5}});
    double lengthBefore = 0.0, endParam = 0.0;
    pline->getEndParam(endParam);
    pline->getDistAtParam(endParam, lengthBefore);
    AcGePoint3d mid;
    pline->getPointAtParam(1.5, mid);
    reversePolyline(pline.get());
    double lengthAfter = 0.0;
    pline->getDistAtParam(endParam, lengthAfter);
    EXPECT_NEAR(lengthAfter, lengthBefore, 1e-9);
    AcGePoint3d midAfter;
    pline->getPointAtParam(endParam - 1.5, midAfter);
    EXPECT_NEAR(midAfter.distanceTo(mid), 0.0, 1e-9);
}

TEST(ReversePolyline, EmptySingleAndNull)
{
    reversePolyline(nullptr);
    auto empty = makePolyline({});
    reversePolyline(empty.get());
    EXPECT_EQ(empty->numVerts(), 0u);
    auto single = makePolyline({{2, 3, 0.5, 1, 2}});
    reversePolyline(single.get());
    expectSame(verticesOf(*single), {{2, 3, -0.5, 2, 1}});
}

TEST(AppendPolylineVertices, IntoEmptyCopiesEverything)
{
    std::vector<V> source = {{0, 0, 0.5, 1, 2}, {1, 1, 0, 3, 4}, {2, 0, 0, 5, 6}};
    auto dest = makePolyline({});
    appendPolylineVertices(dest.get(), makePolyline(source).get());
    expectSame(verticesOf(*dest), source);
}

// The source's first vertex replaces the destination's last one, widths and bulge included.
TEST(AppendPolylineVertices, FirstSourceVertexOverwritesLastDestinationVertex)
{
    auto dest = makePolyline({{0, 0, 0.1, 1, 1}, {5, 0, 9.0, 8, 8}});
    auto source = makePolyline({{5.001, 0, -0.3, 2, 3}, {5, 5, 0.2, 4, 5}, {0, 5, 0, 6, 7}});
    appendPolylineVertices(dest.get(), source.get());
    expectSame(verticesOf(*dest),
               {{0, 0, 0.1, 1, 1}, {5.001, 0, -0.3, 2, 3}, {5, 5, 0.2, 4, 5}, {0, 5, 0, 6, 7}});
}

TEST(AppendPolylineVertices, ToItselfDoublesCleanly)
{
    auto pline = makePolyline({{0, 0}, {1, 0}, {1, 1}});
    appendPolylineVertices(pline.get(), pline.get());
    expectSame(verticesOf(*pline), {{0, 0}, {1, 0}, {0, 0}, {1, 0}, {1, 1}});
}

}  // namespace
