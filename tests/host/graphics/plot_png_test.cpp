// PNG plots read back pixel by pixel: places, colours, widths, fills, margins and failures.
#include "host/graphics/plot_test_support.h"
#include "kelvora/display_list.h"
#include "kelvora/plot.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using namespace kelvora;
using kelvora::testing::isBlack;
using kelvora::testing::isInk;
using kelvora::testing::isRed;
using kelvora::testing::isWhite;
using kelvora::testing::PngImage;
using kelvora::testing::ScratchDir;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBlack{0, 0, 0};

// A 400 x 300 device on the window 0,0 .. 100,75: four pixels a drawing unit, world (x, y) at
// pixel (4x, 300 - 4y).
PlotOptions fourPixelsPerUnit()
{
    PlotOptions options;
    options.width = 400;
    options.height = 300;
    options.window = WorldExtents::fromCorners({0, 0}, {100, 75});
    return options;
}

int countPixels(const PngImage& image, bool (*test)(Rgb))
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += test(image.at(x, y)) ? 1 : 0;
    }
    return n;
}

// The rows of column x that hold ink.
int inkRowsInColumn(const PngImage& image, int x)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += isInk(image.at(x, y)) ? 1 : 0;
    return n;
}

TEST(PlotPng, RedLineAndBlueSquareLandWhereTheWorldPutsThem)
{
    ScratchDir dir;
    DisplayList list;
    const std::vector<WorldPoint> line{{10, 10}, {90, 10}};
    drawPolyline(list, line, false, Pen{kRed, 1.0});
    const std::vector<std::vector<WorldPoint>> square{{{50, 40}, {70, 40}, {70, 60}, {50, 60}}};
    list.filledPolygon(square, kBlue);
    ASSERT_EQ(renderDisplayList(list, dir.file("a.png"), fourPixelsPerUnit()), Acad::eOk);

    const PngImage image(dir.file("a.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_EQ(image.width(), 400);
    EXPECT_EQ(image.height(), 300);
    EXPECT_TRUE(isRed(image.at(200, 260))) << "the line at y = 10";
    EXPECT_TRUE(isRed(image.at(45, 260)));
    EXPECT_TRUE(isWhite(image.at(30, 260))) << "the line starts at x = 10";
    EXPECT_TRUE(isWhite(image.at(200, 255)));
    EXPECT_EQ(image.at(240, 100), kBlue) << "inside the square";
    EXPECT_EQ(image.at(203, 63), kBlue);
    EXPECT_TRUE(isWhite(image.at(196, 100))) << "left of the square";
    EXPECT_TRUE(isWhite(image.at(240, 56))) << "above the square";
    EXPECT_TRUE(isWhite(image.at(0, 0)));
    EXPECT_TRUE(isWhite(image.at(399, 299)));
}

struct StrokeCase {
    const char* name;
    double lineweightMm;
    double constantWidth;
    int minRows;
    int maxRows;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const StrokeCase& c, std::ostream* os)
{
    *os << c.name;
}

class StrokeWidth : public ::testing::TestWithParam<StrokeCase> {};

// A horizontal line's thickness in pixels: lineweights at 72 device units to the inch (never
// under one), constant widths in world units (four pixels each here).
TEST_P(StrokeWidth, ThicknessFollowsLineweightOrWidth)
{
    const StrokeCase& c = GetParam();
    ScratchDir dir;
    DisplayList list;
    const std::vector<WorldPoint> line{{10, 37.5}, {90, 37.5}};
    drawPolyline(list, line, false, Pen{kBlack, c.lineweightMm}, c.constantWidth);
    ASSERT_EQ(renderDisplayList(list, dir.file("w.png"), fourPixelsPerUnit()), Acad::eOk);
    const PngImage image(dir.file("w.png"));
    ASSERT_TRUE(image.valid());
    const int rows = inkRowsInColumn(image, 200);
    EXPECT_GE(rows, c.minRows) << c.name;
    EXPECT_LE(rows, c.maxRows) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Plots, StrokeWidth,
                         ::testing::Values(StrokeCase{"default_is_one_pixel", kDefaultLineweightMm, 0.0, 1, 2},
                                           StrokeCase{"thin_still_one_pixel", 0.05, 0.0, 1, 2},
                                           StrokeCase{"two_mm_is_about_six", 2.0, 0.0, 5, 7},
                                           StrokeCase{"nonsense_weight_is_default", -3.0, 0.0, 1, 2},
                                           StrokeCase{"width_three_units_is_twelve", kDefaultLineweightMm, 3.0, 12, 13},
                                           StrokeCase{"weight_wider_than_band_wins", 5.0, 1.0, 14, 16}),
                         [](const ::testing::TestParamInfo<StrokeCase>& info) { return std::string(info.param.name); });

TEST(PlotPng, WidePolylineEndsSquareAtItsVertices)
{
    ScratchDir dir;
    DisplayList list;
    const std::vector<WorldPoint> line{{20, 37.5}, {80, 37.5}};
    drawPolyline(list, line, false, Pen{kBlack}, 10.0);
    ASSERT_EQ(renderDisplayList(list, dir.file("band.png"), fourPixelsPerUnit()), Acad::eOk);
    const PngImage image(dir.file("band.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_TRUE(isBlack(image.at(82, 150)));
    EXPECT_TRUE(isWhite(image.at(77, 150))) << "no round or square cap beyond the end vertex";
    EXPECT_TRUE(isBlack(image.at(318, 150)));
    EXPECT_TRUE(isWhite(image.at(323, 150)));
    EXPECT_TRUE(isBlack(image.at(200, 131)));
    EXPECT_TRUE(isWhite(image.at(200, 128)));
}

TEST(PlotPng, IslandOfEvenOddFillStaysOpen)
{
    ScratchDir dir;
    DisplayList list;
    const std::vector<std::vector<WorldPoint>> rings{{{10, 10}, {90, 10}, {90, 65}, {10, 65}},
                                                     {{40, 30}, {60, 30}, {60, 45}, {40, 45}}};
    list.filledPolygon(rings, kRed);
    ASSERT_EQ(renderDisplayList(list, dir.file("hole.png"), fourPixelsPerUnit()), Acad::eOk);
    const PngImage image(dir.file("hole.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_TRUE(isRed(image.at(80, 200)));
    EXPECT_TRUE(isWhite(image.at(200, 150))) << "the island";
    EXPECT_TRUE(isRed(image.at(150, 150)));
}

TEST(PlotPng, CircleAndArcAreRoundAndOnlyWhereTheyTurn)
{
    ScratchDir dir;
    DisplayList list;
    list.circle({25, 37.5}, 10.0, Pen{kBlack, 1.0});
    // The upper half only: from 0 to 180 degrees counter-clockwise.
    list.arc({75, 37.5}, 10.0, 0.0, std::numbers::pi, Pen{kBlack, 1.0});
    ASSERT_EQ(renderDisplayList(list, dir.file("round.png"), fourPixelsPerUnit()), Acad::eOk);
    const PngImage image(dir.file("round.png"));
    ASSERT_TRUE(image.valid());
    // Circle: centre (100, 150) px, radius 40 px; its points at 45 degrees too.
    EXPECT_TRUE(isInk(image.at(140, 150)));
    EXPECT_TRUE(isInk(image.at(100, 110)));
    EXPECT_TRUE(isInk(image.at(100, 190)));
    EXPECT_TRUE(isInk(image.at(128, 122)));
    EXPECT_TRUE(isWhite(image.at(100, 150)));
    // Arc: centre (300, 150) px; its top is drawn, its bottom not.
    EXPECT_TRUE(isInk(image.at(300, 110)));
    EXPECT_TRUE(isInk(image.at(272, 122)));
    EXPECT_TRUE(isWhite(image.at(300, 190)));
    EXPECT_TRUE(isWhite(image.at(272, 178)));
}

TEST(PlotPng, BulgedSegmentIsDrawnAsItsArc)
{
    ScratchDir dir;
    DisplayList list;
    // From (30, 30) to (70, 30) with bulge 1: a half circle of radius 20 below the chord
    // (counter-clockwise from the left end runs through the bottom).
    const std::vector<PolylineVertex> vertices{{{30, 30}, 1.0}, {{70, 30}, 0.0}};
    list.polyline(vertices, false, Pen{kBlack, 0.5}, 0.0);
    ASSERT_EQ(renderDisplayList(list, dir.file("bulge.png"), fourPixelsPerUnit()), Acad::eOk);
    const PngImage image(dir.file("bulge.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_TRUE(isInk(image.at(200, 260))) << "the bottom of the half circle, at y = 10";
    EXPECT_TRUE(isWhite(image.at(200, 180))) << "no straight chord";
    EXPECT_TRUE(isWhite(image.at(200, 100))) << "nothing above";
}

TEST(PlotPng, PointIsADot)
{
    ScratchDir dir;
    DisplayList list;
    list.point({50, 37.5}, Pen{kBlack, 2.0});
    ASSERT_EQ(renderDisplayList(list, dir.file("pt.png"), fourPixelsPerUnit()), Acad::eOk);
    const PngImage image(dir.file("pt.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_TRUE(isBlack(image.at(200, 150)));
    EXPECT_TRUE(isWhite(image.at(206, 150)));
}

TEST(PlotPng, ExtentsFillThePictureButForTheMargin)
{
    // A 100 x 4 band across a 1600 x 1200 picture: width limits the scale, and with 5 % on
    // each side the band covers 100 / 110 of the picture's width, centred.
    ScratchDir dir;
    DisplayList list;
    const std::vector<WorldPoint> line{{0, 0}, {100, 0}};
    drawPolyline(list, line, false, Pen{kBlack}, 4.0);
    ASSERT_EQ(renderDisplayList(list, dir.file("extents.png")), Acad::eOk);
    const PngImage image(dir.file("extents.png"));
    ASSERT_TRUE(image.valid());
    ASSERT_EQ(image.width(), kDefaultPlotWidth);
    ASSERT_EQ(image.height(), kDefaultPlotHeight);
    int left = image.width();
    int right = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (isInk(image.at(x, 600))) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    const double scale = 1600.0 / 110.0;
    EXPECT_NEAR(left, 5.0 * scale, 1.0);
    EXPECT_NEAR(right, 105.0 * scale, 1.0);
    EXPECT_NEAR(inkRowsInColumn(image, 800), 4.0 * scale, 2.0);  // plus an anti-aliased row each side
    EXPECT_TRUE(isWhite(image.at(800, 600 - static_cast<int>(2.0 * scale) - 2)));
}

struct DegenerateCase {
    const char* name;
    std::vector<WorldPoint> points;  // a point each; none for an empty drawing
};

void PrintTo(const DegenerateCase& c, std::ostream* os)
{
    *os << c.name;
}

class DegenerateExtents : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateExtents, StillGiveAWhitePictureOfTheRightSize)
{
    const DegenerateCase& c = GetParam();
    ScratchDir dir;
    DisplayList list;
    for (const WorldPoint& p : c.points)
        list.point(p, Pen{kBlack, 2.0});
    PlotOptions options;
    options.width = 320;
    options.height = 200;
    ASSERT_EQ(renderDisplayList(list, dir.file("d.png"), options), Acad::eOk) << c.name;
    const PngImage image(dir.file("d.png"));
    ASSERT_TRUE(image.valid()) << c.name;
    EXPECT_EQ(image.width(), 320);
    EXPECT_EQ(image.height(), 200);
    EXPECT_GE(countPixels(image, isWhite), 320 * 200 - 64) << c.name;  // the dot: under 6 px across
    if (!c.points.empty()) {
        EXPECT_TRUE(isBlack(image.at(160, 100))) << c.name << ": the point sits in the middle";
    }
}

INSTANTIATE_TEST_SUITE_P(Plots, DegenerateExtents,
                         ::testing::Values(DegenerateCase{"empty_drawing", {}},
                                           DegenerateCase{"one_point", {{5, 5}}},
                                           DegenerateCase{"one_point_far_out", {{7.0e6, 2.5e6}}},
                                           DegenerateCase{"same_point_twice", {{-3, 2}, {-3, 2}}}),
                         [](const ::testing::TestParamInfo<DegenerateCase>& info) { return std::string(info.param.name); });

TEST(PlotPng, WindowShowsThatPartOnly)
{
    // The window lies inside a filled square: every pixel is the fill's colour.
    ScratchDir dir;
    DisplayList list;
    const std::vector<std::vector<WorldPoint>> square{{{0, 0}, {100, 0}, {100, 100}, {0, 100}}};
    list.filledPolygon(square, kRed);
    PlotOptions options;
    options.width = 200;
    options.height = 200;
    options.window = WorldExtents::fromCorners({60, 60}, {10, 10});  // corners in any order
    ASSERT_EQ(renderDisplayList(list, dir.file("win.png"), options), Acad::eOk);
    const PngImage image(dir.file("win.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_EQ(countPixels(image, isRed), 200 * 200);
}

TEST(PlotPng, LineFarBeyondAZoomedWindowIsCutNotWrapped)
{
    // At 400 px a unit, a line 50 000 units long reaches 2e7 px beyond the picture, past the
    // range of cairo's fixed-point coordinates: it must still cross the picture where it is.
    ScratchDir dir;
    DisplayList list;
    const std::vector<WorldPoint> line{{-50000, 0.5}, {50000, 0.5}};
    drawPolyline(list, line, false, Pen{kRed, 1.0});
    // A circle so large that it runs almost straight along the window's bottom, at y = 0.01.
    list.circle({0.5, 100000.01}, 100000.0, Pen{kBlack, 1.0});
    PlotOptions options;
    options.width = 400;
    options.height = 400;
    options.window = WorldExtents::fromCorners({0, 0}, {1, 1});
    ASSERT_EQ(renderDisplayList(list, dir.file("far.png"), options), Acad::eOk);
    const PngImage image(dir.file("far.png"));
    ASSERT_TRUE(image.valid());
    for (int x : {0, 100, 200, 399})
        EXPECT_TRUE(isRed(image.at(x, 200))) << x;
    EXPECT_TRUE(isWhite(image.at(200, 100)));
    EXPECT_TRUE(isWhite(image.at(200, 300)));
    for (int x : {0, 200, 399})
        EXPECT_TRUE(isInk(image.at(x, 396))) << "the huge circle at " << x;
    EXPECT_TRUE(isWhite(image.at(200, 385)));
}

TEST(PlotPng, PolygonFarBeyondAZoomedWindowStillFillsIt)
{
    ScratchDir dir;
    DisplayList list;
    const std::vector<std::vector<WorldPoint>> rings{{{-1e5, -1e5}, {1e5, -1e5}, {1e5, 1e5}, {-1e5, 1e5}},
                                                     {{0.25, 0.25}, {0.75, 0.25}, {0.75, 0.75}, {0.25, 0.75}}};
    list.filledPolygon(rings, kRed);
    PlotOptions options;
    options.width = 400;
    options.height = 400;
    options.window = WorldExtents::fromCorners({0, 0}, {1, 1});
    ASSERT_EQ(renderDisplayList(list, dir.file("farfill.png"), options), Acad::eOk);
    const PngImage image(dir.file("farfill.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_TRUE(isRed(image.at(20, 20)));
    EXPECT_TRUE(isRed(image.at(380, 380)));
    EXPECT_TRUE(isWhite(image.at(200, 200))) << "the hole";
}

TEST(PlotPng, NonFinitePrimitivesAreDroppedAndThePlotSurvives)
{
    ScratchDir dir;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Plot plot;
    ASSERT_EQ(plot.begin(dir.file("nan.png"), PlotView::fit(WorldExtents::fromCorners({0, 0}, {100, 75}), 400, 300)),
              Acad::eOk);
    const std::vector<WorldPoint> bad{{0, 0}, {nan, 5}};
    drawPolyline(plot, bad, false, Pen{kBlack});
    plot.circle({nan, 0}, 3.0, Pen{kBlack});
    plot.arc({10, 10}, std::numeric_limits<double>::infinity(), 0, 1, Pen{kBlack});
    plot.point({1, nan}, Pen{kBlack});
    TextItem text;
    text.textUtf8 = "Lot";
    text.position = {10, 10};
    text.height = nan;
    plot.text(text);
    const std::vector<WorldPoint> good{{10, 10}, {90, 10}};
    drawPolyline(plot, good, false, Pen{kRed, 1.0});
    ASSERT_EQ(plot.finish(), Acad::eOk);
    const PngImage image(dir.file("nan.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_TRUE(isRed(image.at(200, 260)));
}

TEST(PlotPng, UnsupportedExtensionIsRefusedAndWritesNothing)
{
    ScratchDir dir;
    DisplayList list;
    EXPECT_EQ(renderDisplayList(list, dir.file("plot.bmp"), {}), Acad::eInvalidInput);
    EXPECT_EQ(renderDisplayList(list, dir.file("plot"), {}), Acad::eInvalidInput);
    EXPECT_EQ(dir.entryCount(), 0u);
}

struct BadSizeCase {
    const char* name;
    int width;
    int height;
};

void PrintTo(const BadSizeCase& c, std::ostream* os)
{
    *os << c.name;
}

class BadPlotSize : public ::testing::TestWithParam<BadSizeCase> {};

TEST_P(BadPlotSize, IsRefused)
{
    ScratchDir dir;
    DisplayList list;
    PlotOptions options;
    options.width = GetParam().width;
    options.height = GetParam().height;
    EXPECT_EQ(renderDisplayList(list, dir.file("s.png"), options), Acad::eInvalidInput);
    EXPECT_EQ(dir.entryCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Plots, BadPlotSize,
                         ::testing::Values(BadSizeCase{"zero_width", 0, 100}, BadSizeCase{"negative_height", 100, -5},
                                           BadSizeCase{"beyond_cairo", kMaxPlotSide + 1, 10}),
                         [](const ::testing::TestParamInfo<BadSizeCase>& info) { return std::string(info.param.name); });

TEST(PlotPng, UnwritableFolderIsAFileError)
{
    DisplayList list;
    EXPECT_EQ(renderDisplayList(list, "/nonexistent-folder-kelvora/plot.png", {}), Acad::eFileAccessErr);
}

TEST(PlotPng, FinishedPlotReplacesTheTargetAndLeavesNothingElse)
{
    ScratchDir dir;
    {
        std::ofstream old(dir.file("p.png"));
        old << "an older file";
    }
    DisplayList list;
    list.point({0, 0}, Pen{kBlack});
    ASSERT_EQ(renderDisplayList(list, dir.file("p.png"), {}), Acad::eOk);
    EXPECT_TRUE(PngImage(dir.file("p.png")).valid());
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(PlotPng, AbandonedPlotLeavesTheTargetAsItWas)
{
    ScratchDir dir;
    {
        std::ofstream old(dir.file("p.png"));
        old << "an older file";
    }
    {
        Plot plot;
        ASSERT_EQ(plot.begin(dir.file("p.png"), PlotView::fit({}, 100, 100)), Acad::eOk);
        plot.point({0, 0}, Pen{kBlack});
        EXPECT_EQ(dir.entryCount(), 2u) << "the plot is written beside its target";
    }
    EXPECT_EQ(kelvora::testing::readFile(dir.file("p.png")), "an older file");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(PlotPng, PlotCannotBeginTwiceOrFinishUnbegun)
{
    ScratchDir dir;
    Plot plot;
    EXPECT_EQ(plot.finish(), Acad::eInvalidOpenState);
    ASSERT_EQ(plot.begin(dir.file("a.png"), PlotView::fit({}, 10, 10)), Acad::eOk);
    EXPECT_EQ(plot.begin(dir.file("b.png"), PlotView::fit({}, 10, 10)), Acad::eInvalidOpenState);
    EXPECT_EQ(plot.finish(), Acad::eOk);
    EXPECT_EQ(plot.finish(), Acad::eInvalidOpenState);
}

TEST(PlotPng, SamePlotGivesTheSameBytes)
{
    ScratchDir dir;
    DisplayList list;
    const std::vector<WorldPoint> line{{0, 0}, {30, 12}, {50, -4}};
    drawPolyline(list, line, false, Pen{kRed});
    TextItem text;
    text.textUtf8 = "Parcelle 12";
    text.position = {5, 5};
    text.height = 3.0;
    list.text(text);
    ASSERT_EQ(renderDisplayList(list, dir.file("one.png"), {}), Acad::eOk);
    ASSERT_EQ(renderDisplayList(list, dir.file("two.png"), {}), Acad::eOk);
    EXPECT_EQ(kelvora::testing::readFile(dir.file("one.png")), kelvora::testing::readFile(dir.file("two.png")));
}

}  // namespace
