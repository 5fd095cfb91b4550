// The segment under a pick and the vertex nearest to it, on polylines in and out of the world plane.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dbpl.h"
#include "tools/vertex_lookup.h"
#include "tools_drawing.h"

namespace {

using tools_test::makePolyline;
using tools_test::Vertex;

struct SegmentCase {
    const char* name;
    std::vector<Vertex> vertices;
    bool closed;
    AcGePoint3d pick;
    unsigned int segment;
};

void PrintTo(const SegmentCase& row, std::ostream* os)
{
    *os << row.name;
}

class SegmentNearPoint : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentNearPoint, FindsTheFirstSegmentUnderTheNearestPoint)
{
    const SegmentCase& c = GetParam();
    std::unique_ptr<AcDbPolyline> pline(makePolyline(c.vertices, c.closed));
    EXPECT_EQ(kelvora::tools::segmentNearPoint(*pline, c.pick), c.segment);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, SegmentNearPoint,
    ::testing::Values(
        SegmentCase{"middle_of_the_second_segment", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false, {11, 5, 0}, 1},
        SegmentCase{"shared_vertex_goes_to_the_lower_index", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false,
                    {10, 0, 0}, 0},
        SegmentCase{"closing_segment", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, {-1, 5, 0}, 3},
        SegmentCase{"on_an_arc_away_from_its_chord", {{0, 0, 1}, {2, 0, 0}}, false, {1, -1.5, 0}, 0},
        SegmentCase{"empty_polyline_has_no_segment", {}, false, {0, 0, 0}, 0}),
    [](const ::testing::TestParamInfo<SegmentCase>& info) { return std::string(info.param.name); });

TEST(VertexLookup, SegmentCountOpenAndClosed)
{
    std::unique_ptr<AcDbPolyline> open(makePolyline({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}));
    std::unique_ptr<AcDbPolyline> closed(makePolyline({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, true));
    std::unique_ptr<AcDbPolyline> empty(makePolyline({}));
    EXPECT_EQ(kelvora::tools::segmentCount(*open), 2u);
    EXPECT_EQ(kelvora::tools::segmentCount(*closed), 3u);
    EXPECT_EQ(kelvora::tools::segmentCount(*empty), 0u);
}

TEST(VertexLookup, NearestVertexTieGoesToTheLowerIndex)
{
    std::unique_ptr<AcDbPolyline> pline(makePolyline({{0, 0, 0}, {10, 0, 0}, {20, 5, 0}, {10, 10, 0}}));
    EXPECT_EQ(kelvora::tools::nearestVertex(*pline, AcGePoint2d(10, 5)), 1u);
    EXPECT_EQ(kelvora::tools::nearestVertex(*pline, AcGePoint2d(11, 9)), 3u);
}

TEST(VertexLookup, NearestVertexOfAnEmptyPolylineIsPastTheEnd)
{
    std::unique_ptr<AcDbPolyline> empty(makePolyline({}));
    EXPECT_EQ(kelvora::tools::nearestVertex(*empty, AcGePoint2d(0, 0)), 0u);
}

TEST(VertexLookup, PicksAreTakenInThePolylinesOwnPlane)
{
    // Seen from below (normal -Z) the plane's x runs against the world's.
    std::unique_ptr<AcDbPolyline> pline(makePolyline({{0, 0, 0}, {-10, 0, 0}, {-20, 0, 0}}));
    pline->setNormal(AcGeVector3d(0, 0, -1));
    const AcGePoint2d inPlane = kelvora::tools::pointInPlane(*pline, AcGePoint3d(9, 1, 0));
    EXPECT_NEAR(inPlane.x, -9.0, 1e-12);
    EXPECT_NEAR(inPlane.y, 1.0, 1e-12);
    EXPECT_EQ(kelvora::tools::nearestVertex(*pline, inPlane), 1u);
    EXPECT_EQ(kelvora::tools::segmentNearPoint(*pline, AcGePoint3d(15, 0, 0)), 1u);
}

}  // namespace
