// Fitting a world window onto the device, the plot margin, and plot formats by extension.
#include "kelvora/plot.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

using namespace kelvora;

// View numbers are a few divisions and products of exact inputs.
constexpr double kViewTolerance = 1e-9;

struct FitCase {
    const char* name;
    WorldPoint a;
    WorldPoint b;
    int width;
    int height;
    double scale;
    WorldPoint centre;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.name;
}

class FitView : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitView, OneScaleCentred)
{
    const FitCase& c = GetParam();
    const PlotView view = PlotView::fit(WorldExtents::fromCorners(c.a, c.b), c.width, c.height);
    EXPECT_NEAR(view.scale, c.scale, kViewTolerance * c.scale) << c.name;
    EXPECT_NEAR(view.centre.x, c.centre.x, kViewTolerance) << c.name;
    EXPECT_NEAR(view.centre.y, c.centre.y, kViewTolerance) << c.name;
    const WorldPoint middle = view.toDevice(c.centre);
    EXPECT_NEAR(middle.x, c.width / 2.0, kViewTolerance) << c.name;
    EXPECT_NEAR(middle.y, c.height / 2.0, kViewTolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Plots, FitView,
    ::testing::Values(FitCase{"width_limits", {0, 0}, {100, 10}, 1600, 1200, 16.0, {50, 5}},
                      FitCase{"height_limits", {0, 0}, {10, 100}, 1600, 1200, 12.0, {5, 50}},
                      FitCase{"same_aspect", {-40, -30}, {40, 30}, 1600, 1200, 20.0, {0, 0}},
                      FitCase{"corners_reversed", {100, 10}, {0, 0}, 1600, 1200, 16.0, {50, 5}},
                      FitCase{"survey_coordinates", {651000, 6862000}, {651400, 6862300}, 1600, 1200, 4.0,
                              {651200, 6862150}},
                      FitCase{"flat_horizontal", {0, 7}, {50, 7}, 400, 300, 8.0, {25, 7}},
                      FitCase{"flat_vertical", {3, -10}, {3, 20}, 400, 300, 10.0, {3, 5}},
                      FitCase{"single_point", {4, 4}, {4, 4}, 400, 300, 300.0, {4, 4}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(FitView, EmptyWindowShowsTheOrigin)
{
    const PlotView view = PlotView::fit(WorldExtents(), 400, 300);
    EXPECT_NEAR(view.toDevice({0, 0}).x, 200.0, kViewTolerance);
    EXPECT_NEAR(view.toDevice({0, 0}).y, 150.0, kViewTolerance);
    EXPECT_GT(view.scale, 0.0);
}

TEST(FitView, WorldYGoesUpTheDevice)
{
    const PlotView view = PlotView::fit(WorldExtents::fromCorners({0, 0}, {100, 75}), 400, 300);
    EXPECT_NEAR(view.toDevice({0, 0}).x, 0.0, kViewTolerance);
    EXPECT_NEAR(view.toDevice({0, 0}).y, 300.0, kViewTolerance);
    EXPECT_NEAR(view.toDevice({100, 75}).x, 400.0, kViewTolerance);
    EXPECT_NEAR(view.toDevice({100, 75}).y, 0.0, kViewTolerance);
}

TEST(PlotMargin, AddsFivePercentOfEachSideOnEachSide)
{
    const WorldExtents framed = withPlotMargin(WorldExtents::fromCorners({0, 0}, {100, 40}));
    EXPECT_NEAR(framed.minPoint().x, -5.0, kViewTolerance);
    EXPECT_NEAR(framed.maxPoint().x, 105.0, kViewTolerance);
    EXPECT_NEAR(framed.minPoint().y, -2.0, kViewTolerance);
    EXPECT_NEAR(framed.maxPoint().y, 42.0, kViewTolerance);
}

TEST(PlotMargin, LeavesEmptyAndPointExtentsAlone)
{
    EXPECT_TRUE(withPlotMargin(WorldExtents()).isEmpty());
    const WorldExtents point = withPlotMargin(WorldExtents::fromCorners({3, 4}, {3, 4}));
    EXPECT_EQ(point.width(), 0.0);
    EXPECT_EQ(point.height(), 0.0);
}

struct FormatCase {
    const char* name;
    const char* path;
    std::optional<PlotFormat> format;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

class PlotFormatByName : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PlotFormatByName, FollowsTheExtension)
{
    EXPECT_EQ(plotFormatForPath(GetParam().path), GetParam().format) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Plots, PlotFormatByName,
                         ::testing::Values(FormatCase{"png", "out/plan.png", PlotFormat::Png},
                                           FormatCase{"svg", "plan.svg", PlotFormat::Svg},
                                           FormatCase{"pdf", "/tmp/plan.pdf", PlotFormat::Pdf},
                                           FormatCase{"upper_case", "PLAN.PDF", PlotFormat::Pdf},
                                           FormatCase{"bitmap", "plan.bmp", std::nullopt},
                                           FormatCase{"no_extension", "plan", std::nullopt},
                                           FormatCase{"dot_in_folder_only", "out.png/plan", std::nullopt},
                                           FormatCase{"empty", "", std::nullopt}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

}  // namespace
