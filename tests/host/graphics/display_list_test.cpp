// Display lists: extents of what is drawn, dropped bad primitives, and replay in drawing order.
#include "kelvora/display_list.h"
#include "kelvora/text_metrics.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace kelvora;

// Extents come from a few sines and cosines of exact inputs.
constexpr double kExtentsTolerance = 1e-9;

void expectExtents(const WorldExtents& e, double x0, double y0, double x1, double y1, const char* what)
{
    ASSERT_FALSE(e.isEmpty()) << what;
    EXPECT_NEAR(e.minPoint().x, x0, kExtentsTolerance) << what;
    EXPECT_NEAR(e.minPoint().y, y0, kExtentsTolerance) << what;
    EXPECT_NEAR(e.maxPoint().x, x1, kExtentsTolerance) << what;
    EXPECT_NEAR(e.maxPoint().y, y1, kExtentsTolerance) << what;
}

TEST(DisplayListExtents, EmptyListHasEmptyExtents)
{
    DisplayList list;
    EXPECT_TRUE(list.extents().isEmpty());
    EXPECT_TRUE(list.empty());
}

TEST(DisplayListExtents, WidePolylineReachesHalfItsWidthSideways)
{
    DisplayList list;
    const std::vector<WorldPoint> line{{0, 0}, {100, 0}};
    drawPolyline(list, line, false, Pen{}, 4.0);
    expectExtents(list.extents(), 0, -2, 100, 2, "square ends stop at the vertices");
}

TEST(DisplayListExtents, SlantedWideSegmentCountsItsCorners)
{
    DisplayList list;
    const std::vector<WorldPoint> line{{0, 0}, {3, 4}};
    drawPolyline(list, line, false, Pen{}, 10.0);
    // Half width 5 along the normal (-0.8, 0.6).
    expectExtents(list.extents(), -4, -3, 7, 7, "band corners");
}

TEST(DisplayListExtents, BulgeArcCountsItsQuadrantPoints)
{
    DisplayList list;
    // Bulge 1 from (0, 0) to (2, 0): the half circle below the chord, down to y = -1.
    const std::vector<PolylineVertex> vertices{{{0, 0}, 1.0}, {{2, 0}, 0.0}};
    list.polyline(vertices, false, Pen{}, 0.0);
    expectExtents(list.extents(), 0, -1, 2, 0, "half circle below");
}

TEST(DisplayListExtents, NegativeBulgeTurnsTheOtherWay)
{
    DisplayList list;
    const std::vector<PolylineVertex> vertices{{{0, 0}, -1.0}, {{2, 0}, 0.0}};
    list.polyline(vertices, false, Pen{}, 0.0);
    expectExtents(list.extents(), 0, 0, 2, 1, "half circle above");
}

TEST(DisplayListExtents, ClosingSegmentOfAClosedPolylineKeepsItsBulge)
{
    DisplayList list;
    // Two vertices, both bulge 1, closed: a whole circle of radius 1 about (1, 0).
    const std::vector<PolylineVertex> vertices{{{0, 0}, 1.0}, {{2, 0}, 1.0}};
    list.polyline(vertices, true, Pen{}, 0.0);
    expectExtents(list.extents(), 0, -1, 2, 1, "closed on its bulge");
}

struct ArcCase {
    const char* name;
    double startDeg;
    double endDeg;
    double x0, y0, x1, y1;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const ArcCase& c, std::ostream* os)
{
    *os << c.name;
}

class ArcExtents : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcExtents, BoundTheArcOnly)
{
    const ArcCase& c = GetParam();
    DisplayList list;
    const double degree = std::numbers::pi / 180.0;
    list.arc({10, 20}, 5.0, c.startDeg * degree, c.endDeg * degree, Pen{});
    expectExtents(list.extents(), c.x0, c.y0, c.x1, c.y1, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Plots, ArcExtents,
    ::testing::Values(ArcCase{"first_quadrant", 0, 90, 10, 20, 15, 25},
                      ArcCase{"upper_half", 0, 180, 5, 20, 15, 25},
                      ArcCase{"across_zero", 270, 90, 10, 15, 15, 25},
                      ArcCase{"small_inside_a_quadrant", 30, 60, 10 + 5 * 0.5, 20 + 5 * 0.5, 10 + 5 * 0.8660254037844387,
                              20 + 5 * 0.8660254037844387},
                      ArcCase{"equal_angles_whole_circle", 45, 45, 5, 15, 15, 25},
                      ArcCase{"negative_angles", -90, 0, 10, 15, 15, 20}),
    [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

TEST(DisplayListExtents, CircleFilledPolygonAndPointAddUp)
{
    DisplayList list;
    list.circle({0, 0}, 2.0, Pen{});
    const std::vector<std::vector<WorldPoint>> rings{{{10, 10}, {12, 10}, {12, 13}}};
    list.filledPolygon(rings, Rgb{});
    list.point({-7, 1}, Pen{});
    expectExtents(list.extents(), -7, -2, 12, 13, "union");
    EXPECT_EQ(list.size(), 3u);
}

TEST(DisplayListExtents, TextCountsItsMeasuredBoxTurned)
{
    DisplayList list;
    TextItem text;
    text.textUtf8 = "Lot 7";
    text.position = {100, 50};
    text.height = 2.5;
    text.rotationRad = std::numbers::pi / 2.0;  // reading upwards
    list.text(text);
    const TextBox box = measureText(findFontFace({}), "Lot 7", 2.5, 1.0);
    // Turned a quarter: the baseline runs up the Y axis, the tops of the letters face -X.
    expectExtents(list.extents(), 100 - box.top, 50 + box.left, 100 - box.bottom, 50 + box.right, "turned text");
}

TEST(DisplayListExtents, ObliqueTextLeansItsTopRight)
{
    TextItem text;
    text.textUtf8 = "H";
    text.height = 1.0;
    text.obliqueRad = std::numbers::pi / 4.0;
    const auto corners = textCorners(text);
    const TextBox box = measureText(findFontFace({}), "H", 1.0, 1.0);
    EXPECT_NEAR(corners[3].x, box.left + box.top, kExtentsTolerance);  // top-left moved right by its height
    EXPECT_NEAR(corners[0].x, box.left, kExtentsTolerance);
}

TEST(DisplayListExtents, ObliqueAngleIsLimited)
{
    EXPECT_NEAR(effectiveObliqueRad(1.6), kMaxObliqueRad, kExtentsTolerance);
    EXPECT_NEAR(effectiveObliqueRad(-3.0), -kMaxObliqueRad, kExtentsTolerance);
    EXPECT_EQ(effectiveObliqueRad(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(DisplayList, BadPrimitivesAreDropped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    DisplayList list;
    const std::vector<WorldPoint> bad{{0, 0}, {inf, 1}};
    drawPolyline(list, bad, false, Pen{});
    drawPolyline(list, std::vector<WorldPoint>{}, false, Pen{});
    list.circle({0, 0}, -1.0, Pen{});
    list.circle({0, 0}, 0.0, Pen{});
    list.arc({0, 0}, 1.0, nan, 1.0, Pen{});
    list.point({nan, 0}, Pen{});
    const std::vector<std::vector<WorldPoint>> twoPointRing{{{0, 0}, {1, 1}}};
    list.filledPolygon(twoPointRing, Rgb{});
    TextItem text;
    text.textUtf8 = "x";
    text.position = {0, inf};
    text.height = 1.0;
    list.text(text);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.extents().isEmpty());
}

// A canvas that writes down what it is asked to draw.
class Transcript final : public Canvas {
public:
    std::string log;

    void polyline(std::span<const PolylineVertex> v, bool closed, const Pen& pen, double width) override
    {
        log += "polyline " + std::to_string(v.size()) + (closed ? " closed" : " open") + " w" +
               std::to_string(static_cast<int>(width)) + " r" + std::to_string(pen.colour.r) + " b" +
               std::to_string(static_cast<int>(v[0].bulge)) + ";";
    }
    void filledPolygon(std::span<const std::vector<WorldPoint>> rings, Rgb) override
    {
        log += "polygon " + std::to_string(rings.size()) + ";";
    }
    void circle(WorldPoint, double radius, const Pen&) override
    {
        log += "circle " + std::to_string(static_cast<int>(radius)) + ";";
    }
    void arc(WorldPoint, double radius, double, double, const Pen& pen) override
    {
        log += "arc " + std::to_string(static_cast<int>(radius)) + " lw" +
               std::to_string(static_cast<int>(pen.lineweightMm * 100)) + ";";
    }
    void text(const TextItem& t) override { log += "text " + t.textUtf8 + ";"; }
    void point(WorldPoint p, const Pen&) override { log += "point " + std::to_string(static_cast<int>(p.x)) + ";"; }
};

TEST(DisplayList, ReplaysEverythingInDrawingOrder)
{
    DisplayList list;
    list.point({3, 0}, Pen{});
    const std::vector<PolylineVertex> v{{{0, 0}, 1.0}, {{1, 0}, 0.0}, {{1, 1}, 0.0}};
    list.polyline(v, true, Pen{{200, 0, 0}}, 2.0);
    list.arc({0, 0}, 4.0, 0.0, 1.0, Pen{{}, 0.5});
    TextItem text;
    text.textUtf8 = "B12";
    text.height = 1.0;
    list.text(text);
    const std::vector<std::vector<WorldPoint>> rings{{{0, 0}, {1, 0}, {0, 1}}, {{5, 5}, {6, 5}, {5, 6}}};
    list.filledPolygon(rings, Rgb{});
    list.circle({0, 0}, 9.0, Pen{});
    Transcript first;
    list.replay(first);
    EXPECT_EQ(first.log,
              "point 3;polyline 3 closed w2 r200 b1;arc 4 lw50;text B12;polygon 2;circle 9;");
    Transcript second;
    list.replay(second);
    EXPECT_EQ(second.log, first.log) << "replay leaves the list as it was";
}

TEST(DisplayList, ClearEmptiesListAndExtents)
{
    DisplayList list;
    list.point({1, 1}, Pen{});
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.extents().isEmpty());
    Transcript t;
    list.replay(t);
    EXPECT_EQ(t.log, "");
}

}  // namespace
