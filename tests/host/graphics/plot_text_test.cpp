// Texts on a plot: drawn with the measured metrics, so the measured box holds every inked pixel.
#include "host/graphics/plot_test_support.h"
#include "kelvora/display_list.h"
#include "kelvora/plot.h"
#include "kelvora/text_metrics.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace {

using namespace kelvora;
using kelvora::testing::isInk;
using kelvora::testing::PngImage;
using kelvora::testing::ScratchDir;

// Anti-aliasing may grey the pixels that the box's edge crosses and their neighbours: ink is
// allowed this far outside the box, in pixels.
constexpr double kAntiAliasAllowance = 1.5;

constexpr double kDegree = std::numbers::pi / 180.0;

struct TextCase {
    const char* name;
    const char* text;
    const char* font;
    double rotationDeg;
    double widthFactor;
    double obliqueDeg;
    WorldPoint position;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

// Signed distance of p from the edge a-b of the box on the device, positive inside: the
// corners run counter-clockwise in the world, so clockwise as the device (Y down) sees them.
double insideDistance(WorldPoint a, WorldPoint b, WorldPoint p)
{
    const double ex = b.x - a.x;
    const double ey = b.y - a.y;
    const double length = std::hypot(ex, ey);
    if (length == 0.0)
        return 0.0;
    return ((p.x - a.x) * ey - (p.y - a.y) * ex) / length;
}

class TextInk : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextInk, StaysInsideTheMeasuredBox)
{
    const TextCase& c = GetParam();
    ScratchDir dir;
    TextItem text;
    text.textUtf8 = c.text;
    text.position = c.position;
    text.height = 6.0;
    text.rotationRad = c.rotationDeg * kDegree;
    text.widthFactor = c.widthFactor;
    text.obliqueRad = c.obliqueDeg * kDegree;
    text.face = findFontFace(c.font);
    DisplayList list;
    list.text(text);
    PlotOptions options;
    options.width = 800;
    options.height = 600;
    options.window = WorldExtents::fromCorners({0, 0}, {100, 75});  // 8 pixels a unit
    ASSERT_EQ(renderDisplayList(list, dir.file("t.png"), options), Acad::eOk);
    const PngImage image(dir.file("t.png"));
    ASSERT_TRUE(image.valid());

    const PlotView view = PlotView::fit(*options.window, 800, 600);
    std::array<WorldPoint, 4> box;
    const auto corners = textCorners(text);
    for (std::size_t i = 0; i < 4; ++i)
        box[i] = view.toDevice(corners[i]);

    int inked = 0;
    double worst = 0.0;  // the farthest any ink lies outside the box, in pixels
    double reachLeft = 1e9;
    double reachRight = -1e9;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isInk(image.at(x, y)))
                continue;
            ++inked;
            const WorldPoint centre{x + 0.5, y + 0.5};
            double outside = 0.0;
            for (std::size_t i = 0; i < 4; ++i)
                outside = std::max(outside, -insideDistance(box[i], box[(i + 1) % 4], centre));
            worst = std::max(worst, outside);
            // How far along the baseline the ink reaches, in the text's own frame (drawing
            // units, before rotation and obliquing).
            const double wx = view.centre.x + (centre.x - 400.0) / view.scale - text.position.x;
            const double wy = view.centre.y - (centre.y - 300.0) / view.scale - text.position.y;
            const double along = wx * std::cos(text.rotationRad) + wy * std::sin(text.rotationRad);
            const double up = -wx * std::sin(text.rotationRad) + wy * std::cos(text.rotationRad);
            const double unslanted = along - up * std::tan(text.obliqueRad);
            reachLeft = std::min(reachLeft, unslanted);
            reachRight = std::max(reachRight, unslanted);
        }
    }
    EXPECT_GT(inked, 100) << c.name << ": the text is drawn";
    EXPECT_LE(worst, kAntiAliasAllowance) << c.name << ": ink outside the measured box";
    // The box is no wider than the text needs: ink reaches within a side bearing of both
    // ends, a quarter of the cap height stretched by the width factor.
    const TextBox measured = measureText(text.face, text.textUtf8, text.height, text.widthFactor);
    const double bearing = 0.25 * text.height * c.widthFactor;
    EXPECT_LT(reachLeft, measured.left + bearing) << c.name;
    EXPECT_GT(reachRight, measured.right - bearing) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Plots, TextInk,
    ::testing::Values(TextCase{"plain", "Lot 12", "DejaVu Sans", 0, 1, 0, {10, 30}},
                      TextCase{"descenders", "Qgjy_p", "DejaVu Sans", 0, 1, 0, {10, 30}},
                      TextCase{"accents", "\xc3\x89t\xc3\xa9 \xc3\x87\xc3\xa0", "DejaVu Sans", 0, 1, 0, {10, 30}},
                      TextCase{"kerned_pairs", "AVATAR", "DejaVu Sans", 0, 1, 0, {10, 30}},
                      TextCase{"rotated_30", "Parcelle", "DejaVu Sans", 30, 1, 0, {20, 20}},
                      TextCase{"upside_down", "Parcelle", "DejaVu Sans", 180, 1, 0, {80, 50}},
                      TextCase{"condensed", "Surface", "DejaVu Sans", 0, 0.5, 0, {10, 30}},
                      TextCase{"expanded", "Borne", "DejaVu Sans", 0, 1.8, 0, {10, 30}},
                      TextCase{"oblique", "Talus", "DejaVu Sans", 0, 1, 15, {10, 30}},
                      TextCase{"back_slanted_and_turned", "Talus", "DejaVu Sans", 45, 1, -20, {30, 10}},
                      TextCase{"serif_shape_font", "Riviere", "romanc.shx", 0, 1, 0, {10, 30}},
                      TextCase{"mono_shape_font", "B-12", "monotxt.shx", 0, 1, 0, {10, 30}},
                      TextCase{"serif_overhang", "ff", "DejaVu Serif", 0, 1, 0, {10, 30}}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(TextInk, TextStartsAtItsInsertionPointOnItsBaseline)
{
    ScratchDir dir;
    TextItem text;
    text.textUtf8 = "HH";
    text.position = {20, 30};
    text.height = 5.0;
    DisplayList list;
    list.text(text);
    PlotOptions options;
    options.width = 800;
    options.height = 600;
    options.window = WorldExtents::fromCorners({0, 0}, {100, 75});
    ASSERT_EQ(renderDisplayList(list, dir.file("h.png"), options), Acad::eOk);
    const PngImage image(dir.file("h.png"));
    ASSERT_TRUE(image.valid());
    // Insertion point (160, 360) px; capitals 40 px high, so the H's stems fill rows 320..359.
    int top = image.height();
    int bottom = -1;
    int left = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.at(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
        }
    }
    EXPECT_NEAR(bottom, 359, 1);
    EXPECT_NEAR(top, 320, 1);
    EXPECT_GE(left, 160);
    EXPECT_LT(left, 170);  // the H's left side bearing
}

}  // namespace
