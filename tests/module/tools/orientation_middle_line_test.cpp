// The arrowheads of POLORIENTATION and the middle line of FRONTIERES, computed from polylines.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <vector>

#include "dbpl.h"
#include "geometry/polyline_kernel.h"
#include "tools/middle_line.h"
#include "tools/orientation_arrows.h"
#include "tools_drawing.h"

namespace {

using kelvora::tools::ArrowStroke;
using tools_test::makePolyline;
using tools_test::sameVertices;
using tools_test::ToolsDrawing;
using tools_test::Vertex;
using tools_test::verticesOf;

constexpr double kExact = 1e-9;

void expectStroke(const ArrowStroke& stroke, AcGePoint3d from, AcGePoint3d to)
{
    EXPECT_LT(stroke.fromWcs.distanceTo(from), kExact) << stroke.fromWcs.x << ", " << stroke.fromWcs.y;
    EXPECT_LT(stroke.toWcs.distanceTo(to), kExact) << stroke.toWcs.x << ", " << stroke.toWcs.y;
}

// sin(60 degrees) x 0.05, the chevron's half opening for a segment of length 1.
constexpr double kHalfOpening = 0.04330127;

TEST(OrientationArrows, ChevronAtTheMiddleOfEachSegmentScaledByItsLength)
{
    std::unique_ptr<AcDbPolyline> pline(makePolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}));
    const std::vector<ArrowStroke> strokes = kelvora::tools::orientationArrows(*pline);
    ASSERT_EQ(strokes.size(), 4u);
    // Along +X from (5, 0): the tip half a unit ahead, the arms a quarter unit behind.
    expectStroke(strokes[0], {5.5, 0, 0}, {4.75, -10 * kHalfOpening, 0});
    expectStroke(strokes[1], {4.75, 10 * kHalfOpening, 0}, {5.5, 0, 0});
    // Along +Y from (10, 5): the same chevron turned a quarter turn.
    expectStroke(strokes[2], {10, 5.5, 0}, {10 + 10 * kHalfOpening, 4.75, 0});
    expectStroke(strokes[3], {10 - 10 * kHalfOpening, 4.75, 0}, {10, 5.5, 0});
}

TEST(OrientationArrows, ZeroLengthSegmentHasNoArrow)
{
    std::unique_ptr<AcDbPolyline> pline(
        makePolyline({{0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {10, 10, 0}}));
    const std::vector<ArrowStroke> strokes = kelvora::tools::orientationArrows(*pline);
    ASSERT_EQ(strokes.size(), 4u);
    expectStroke(strokes[0], {5.5, 0, 0}, {4.75, -10 * kHalfOpening, 0});
    expectStroke(strokes[2], {10, 5.5, 0}, {10 + 10 * kHalfOpening, 4.75, 0});
}

TEST(OrientationArrows, ReversedPolylinePointsTheOtherWay)
{
    std::unique_ptr<AcDbPolyline> pline(makePolyline({{0, 0, 0}, {10, 0, 0}}));
    reversePolyline(pline.get());
    const std::vector<ArrowStroke> strokes = kelvora::tools::orientationArrows(*pline);
    ASSERT_EQ(strokes.size(), 2u);
    expectStroke(strokes[0], {4.5, 0, 0}, {5.25, 10 * kHalfOpening, 0});
}

TEST(OrientationArrows, ArcSegmentArrowFollowsTheArcAtItsMiddle)
{
    // A half circle below (0,0)-(2,0): its middle is (1, -1), travelled towards +X, its length pi.
    std::unique_ptr<AcDbPolyline> pline(makePolyline({{0, 0, 1.0}, {2, 0, 0}}));
    const std::vector<ArrowStroke> strokes = kelvora::tools::orientationArrows(*pline);
    ASSERT_EQ(strokes.size(), 2u);
    expectStroke(strokes[0], {1 + 0.05 * std::numbers::pi, -1, 0},
                 {1 - 0.025 * std::numbers::pi, -1 - std::numbers::pi * kHalfOpening, 0});
}

TEST(OrientationArrows, ClosedPolylineGetsAnArrowOnItsClosingSegment)
{
    std::unique_ptr<AcDbPolyline> pline(makePolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, true));
    const std::vector<ArrowStroke> strokes = kelvora::tools::orientationArrows(*pline);
    ASSERT_EQ(strokes.size(), 6u);
    // From (10, 10) back to (0, 0): the middle (5, 5), the tip ahead towards the origin.
    const double ahead = 0.05 * std::sqrt(200.0) / std::sqrt(2.0);
    expectStroke(strokes[4], {5 - ahead, 5 - ahead, 0}, strokes[4].toWcs);
}

struct MiddleCase {
    const char* name;
    std::vector<Vertex> first, second;
    std::vector<Vertex> middle;
};

// Failures and test names show the row by its name.
void PrintTo(const MiddleCase& row, std::ostream* os)
{
    *os << row.name;
}


class MiddleLine : public ::testing::TestWithParam<MiddleCase> {};

TEST_P(MiddleLine, JoinsMidpointsAtMatchingParameters)
{
    const MiddleCase& c = GetParam();
    std::unique_ptr<AcDbPolyline> first(makePolyline(c.first)), second(makePolyline(c.second));
    std::unique_ptr<AcDbPolyline> middle(kelvora::tools::middleLine(*first, *second));
    ASSERT_NE(middle, nullptr);
    EXPECT_TRUE(sameVertices(verticesOf(*middle), c.middle, 1e-9));
    EXPECT_FALSE(middle->isClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Limits, MiddleLine,
    ::testing::Values(
        MiddleCase{"parallel_same_direction", {{10, 10, 0}, {20, 10, 0}}, {{10, 14, 0}, {20, 14, 0}},
                   {{10, 12, 0}, {20, 12, 0}}},
        MiddleCase{"crossing_limits", {{0, 0, 0}, {10, 10, 0}}, {{0, 10, 0}, {10, 0, 0}},
                   {{0, 5, 0}, {10, 5, 0}}},
        // The second limit's two segments set ten steps each; the first is walked at half its pace.
        MiddleCase{"more_segments_on_one_side", {{0, 0, 0}, {10, 0, 0}}, {{0, 4, 0}, {5, 8, 0}, {10, 4, 0}},
                   {{0, 2, 0}, {5, 4, 0}, {10, 2, 0}}},
        // By parameter, not by length: the bend comes where the second limit's vertex is.
        MiddleCase{"uneven_vertices_sampled_by_index", {{0, 0, 0}, {10, 0, 0}}, {{0, 4, 0}, {2, 8, 0}, {10, 4, 0}},
                   {{0, 2, 0}, {3.5, 4, 0}, {10, 2, 0}}},
        // Parallel limits of 3 and 7 unevenly spaced vertices: every midpoint lies on the line midway,
        // from the middle of the starts to the middle of the ends, merged to its two ends.
        MiddleCase{"parallel_three_and_seven_vertices", {{0, 0, 0}, {3, 0, 0}, {10, 0, 0}},
                   {{2, 4, 0}, {3, 4, 0}, {5, 4, 0}, {6, 4, 0}, {9, 4, 0}, {11, 4, 0}, {12, 4, 0}},
                   {{1, 2, 0}, {11, 2, 0}}},
        MiddleCase{"parallel_seven_and_three_vertices",
                   {{2, 4, 0}, {3, 4, 0}, {5, 4, 0}, {6, 4, 0}, {9, 4, 0}, {11, 4, 0}, {12, 4, 0}},
                   {{0, 0, 0}, {3, 0, 0}, {10, 0, 0}}, {{1, 2, 0}, {11, 2, 0}}},
        // The same along a slanted direction (3, 4)/5, the limits 10 apart across it.
        MiddleCase{"slanted_parallel_three_and_seven_vertices", {{0, 0, 0}, {6, 8, 0}, {12, 16, 0}},
                   {{-8, 6, 0}, {-7.4, 6.8, 0}, {-5, 10, 0}, {-2, 14, 0}, {-1.4, 14.8, 0}, {1, 18, 0}, {4, 22, 0}},
                   {{-4, 3, 0}, {8, 19, 0}}}),
    [](const ::testing::TestParamInfo<MiddleCase>& info) { return std::string(info.param.name); });

TEST(MiddleLineEdge, LimitWithOneVertexGivesNothing)
{
    std::unique_ptr<AcDbPolyline> first(makePolyline({{0, 0, 0}, {10, 0, 0}})), second(makePolyline({{0, 4, 0}}));
    EXPECT_EQ(kelvora::tools::middleLine(*first, *second), nullptr);
    EXPECT_EQ(kelvora::tools::middleLine(*second, *first), nullptr);
}

TEST(MiddleLineEdge, TakesTheFirstLimitsNormal)
{
    std::unique_ptr<AcDbPolyline> first(makePolyline({{0, 0, 0}, {10, 0, 0}}));
    std::unique_ptr<AcDbPolyline> second(makePolyline({{0, 4, 0}, {10, 4, 0}}));
    first->setNormal(AcGeVector3d(0, 0, -1));
    second->setNormal(AcGeVector3d(0, 0, -1));
    std::unique_ptr<AcDbPolyline> middle(kelvora::tools::middleLine(*first, *second));
    ASSERT_NE(middle, nullptr);
    EXPECT_TRUE(middle->normal().isEqualTo(AcGeVector3d(0, 0, -1)));
    EXPECT_TRUE(sameVertices(verticesOf(*middle), {{0, 2, 0}, {10, 2, 0}}));
}

TEST(MiddleLineEdge, LiesBetweenRaisedLimits)
{
    std::unique_ptr<AcDbPolyline> first(makePolyline({{0, 0, 0}, {10, 0, 0}}));
    std::unique_ptr<AcDbPolyline> second(makePolyline({{0, 4, 0}, {10, 4, 0}}));
    first->setElevation(2.0);
    second->setElevation(6.0);
    std::unique_ptr<AcDbPolyline> middle(kelvora::tools::middleLine(*first, *second));
    ASSERT_NE(middle, nullptr);
    EXPECT_DOUBLE_EQ(middle->elevation(), 4.0);
    EXPECT_TRUE(sameVertices(verticesOf(*middle), {{0, 2, 0}, {10, 2, 0}}));
}

class FrontieresCommand : public ToolsDrawing {};

TEST_F(FrontieresCommand, AddsTheMiddleLineAndLeavesTheLimits)
{
    const AcDbObjectId low = addPolyline({{10, 10, 0}, {20, 10, 0}});
    const AcDbObjectId high = addPolyline({{10, 14, 0}, {20, 14, 0}});
    const std::string out = run("FRONTIERES\n15,10\n15,14\n");
    EXPECT_NE(out.find("\nlimite (Polyline) 1:15,10\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nlimite (Polyline) 2:15,14\n"), std::string::npos) << out;
    const std::vector<AcDbObjectId> ids = modelSpace();
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_TRUE(sameVertices(verticesOf(low), {{10, 10, 0}, {20, 10, 0}}));
    EXPECT_TRUE(sameVertices(verticesOf(high), {{10, 14, 0}, {20, 14, 0}}));
    EXPECT_TRUE(sameVertices(verticesOf(ids[2]), {{10, 12, 0}, {20, 12, 0}}));
}

TEST_F(FrontieresCommand, LimitsOfThreeAndSevenVerticesGiveTheMidline)
{
    addPolyline({{10, 10, 0}, {13, 10, 0}, {20, 10, 0}});
    addPolyline({{10, 14, 0}, {11, 14, 0}, {12, 14, 0}, {15, 14, 0}, {17, 14, 0}, {18, 14, 0}, {20, 14, 0}});
    run("FRONTIERES\n15,10\n16,14\n");
    const std::vector<AcDbObjectId> ids = modelSpace();
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_TRUE(sameVertices(verticesOf(ids[2]), {{10, 12, 0}, {20, 12, 0}}));
}

TEST_F(FrontieresCommand, NothingPickedSecondEndsWithoutALine)
{
    addPolyline({{10, 10, 0}, {20, 10, 0}});
    const std::string out = run("FRONTIERES\n15,10\n100,100\n");
    EXPECT_NE(out.find("***  Aucune sélection !"), std::string::npos) << out;
    EXPECT_EQ(modelSpace().size(), 1u);
}

TEST_F(FrontieresCommand, LineAsLimitMakesNothing)
{
    addPolyline({{10, 10, 0}, {20, 10, 0}});
    add(new AcDbLine(AcGePoint3d(10, 14, 0), AcGePoint3d(20, 14, 0)));
    run("FRONTIERES\n15,10\n15,14\n");
    EXPECT_EQ(modelSpace().size(), 2u);
}

class PolOrientationCommand : public ToolsDrawing {};

TEST_F(PolOrientationCommand, LeavesTheDrawingAsItWas)
{
    const AcDbObjectId id = addPolyline({{10, 10, 0}, {20, 10, 0}, {20, 20, 0}});
    const std::string out = run("POLORIENTATION\n15,10\n");
    EXPECT_NE(out.find("\nPolyline à mettre en évidence:15,10\n"), std::string::npos) << out;
    EXPECT_EQ(modelSpace().size(), 1u);
    EXPECT_TRUE(sameVertices(verticesOf(id), {{10, 10, 0}, {20, 10, 0}, {20, 20, 0}}));
}

}  // namespace
