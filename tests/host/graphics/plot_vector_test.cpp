// SVG and PDF plots: whole documents, true curves, colours and lineweights, and a PDF a reader renders.
#include "host/graphics/plot_test_support.h"
#include "kelvora/display_list.h"
#include "kelvora/plot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace kelvora;
using kelvora::testing::isRed;
using kelvora::testing::isWhite;
using kelvora::testing::PngImage;
using kelvora::testing::readFile;
using kelvora::testing::ScratchDir;

int countOf(const std::string& text, const std::string& piece)
{
    int n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++n;
    return n;
}

// The drawing of the vector tests on a 400 x 300 window, one unit a point: a polyline, a
// quarter arc, a circle, a red square and a five-glyph text.
DisplayList sampleDrawing()
{
    DisplayList list;
    const std::vector<WorldPoint> corner{{10, 10}, {200, 10}, {200, 120}};
    drawPolyline(list, corner, false, Pen{{0, 0, 0}});
    list.arc({100, 100}, 40.0, 0.0, std::numbers::pi / 2.0, Pen{{0, 0, 255}});
    list.circle({300, 100}, 20.0, Pen{{0, 128, 0}, 0.5});
    const std::vector<std::vector<WorldPoint>> square{{{250, 200}, {350, 200}, {350, 280}, {250, 280}}};
    list.filledPolygon(square, {255, 0, 0});
    TextItem text;
    text.textUtf8 = "Lot A";
    text.position = {20, 200};
    text.height = 20.0;
    list.text(text);
    return list;
}

PlotOptions onePointPerUnit()
{
    PlotOptions options;
    options.width = 400;
    options.height = 300;
    options.window = WorldExtents::fromCorners({0, 0}, {400, 300});
    return options;
}

// The `d` attribute of the first path drawn in the given stroke colour.
std::string strokePath(const std::string& svg, const std::string& colour)
{
    const std::regex path("<path style=\"[^\"]*stroke:" + colour + ";[^\"]*\" d=\"([^\"]*)\"");
    std::smatch match;
    return std::regex_search(svg, match, path) ? match[1].str() : std::string();
}

TEST(PlotSvg, IsAWholeDocumentOfThePlotSize)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.svg"), onePointPerUnit()), Acad::eOk);
    const std::string svg = readFile(dir.file("p.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("width=\"400pt\" height=\"300pt\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.find_last_not_of(" \n") - 5, 6), "</svg>");
    // A white sheet under everything.
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"400\" height=\"300\" style=\"fill:rgb(100%,100%,100%)"),
              std::string::npos);
}

TEST(PlotSvg, EachPrimitiveIsOneElement)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.svg"), onePointPerUnit()), Acad::eOk);
    const std::string svg = readFile(dir.file("p.svg"));
    EXPECT_EQ(countOf(svg, "style=\"fill:none;"), 3) << "polyline, arc and circle strokes";
    EXPECT_EQ(countOf(svg, "fill-rule:evenodd;fill:rgb(100%,0%,0%)"), 1) << "the red square";
    EXPECT_EQ(countOf(svg, "<use xlink:href=\"#glyph"), 5) << "the glyphs of \"Lot A\"";
}

TEST(PlotSvg, ArcsAndCirclesAreCurvesNotChords)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.svg"), onePointPerUnit()), Acad::eOk);
    const std::string svg = readFile(dir.file("p.svg"));
    const std::string arc = strokePath(svg, "rgb\\(0%,0%,100%\\)");
    ASSERT_FALSE(arc.empty());
    EXPECT_EQ(countOf(arc, "C "), 1) << arc;  // a quarter turn is one cubic curve
    EXPECT_EQ(countOf(arc, "L "), 0) << arc;
    const std::string circle = strokePath(svg, "rgb\\(0%,50.196078%,0%\\)");
    ASSERT_FALSE(circle.empty());
    EXPECT_EQ(countOf(circle, "C "), 4) << circle;
    EXPECT_EQ(countOf(circle, "L "), 0) << circle;
    const std::string corner = strokePath(svg, "rgb\\(0%,0%,0%\\)");
    EXPECT_EQ(countOf(corner, "L "), 2) << corner;
    EXPECT_EQ(countOf(corner, "C "), 0) << corner;
}

TEST(PlotSvg, LineweightsArePrintedWidthsInPoints)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.svg"), onePointPerUnit()), Acad::eOk);
    const std::string svg = readFile(dir.file("p.svg"));
    // 0.5 mm is 1.417 points; the default 0.25 mm (0.71 pt) is raised to one point.
    EXPECT_NE(svg.find("stroke-width:1.417323;"), std::string::npos);
    EXPECT_EQ(countOf(svg, "stroke-width:1;"), 2);
}

TEST(PlotSvg, WorldYGoesUpTheSheet)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.svg"), onePointPerUnit()), Acad::eOk);
    const std::string svg = readFile(dir.file("p.svg"));
    // The polyline runs from (10, 10) to (200, 10) and up to (200, 120): device y 290 then 180.
    EXPECT_EQ(strokePath(svg, "rgb\\(0%,0%,0%\\)"), "M 10 290 L 200 290 L 200 180 ");
}

TEST(PlotSvg, SamePlotGivesTheSameBytes)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("a.svg"), onePointPerUnit()), Acad::eOk);
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("b.svg"), onePointPerUnit()), Acad::eOk);
    EXPECT_EQ(readFile(dir.file("a.svg")), readFile(dir.file("b.svg")));
}

TEST(PlotPdf, IsAWholeDocumentWithoutADate)
{
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.pdf"), onePointPerUnit()), Acad::eOk);
    const std::string pdf = readFile(dir.file("p.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 32), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 400 300 ]"), std::string::npos);
    EXPECT_EQ(pdf.find("/CreationDate"), std::string::npos);
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("q.pdf"), onePointPerUnit()), Acad::eOk);
    EXPECT_EQ(pdf, readFile(dir.file("q.pdf")));
}

TEST(PlotPdf, AReaderRendersIt)
{
    if (std::system("command -v pdftoppm >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed";
    ScratchDir dir;
    ASSERT_EQ(renderDisplayList(sampleDrawing(), dir.file("p.pdf"), onePointPerUnit()), Acad::eOk);
    const std::string command = "pdftoppm -png -r 72 -singlefile '" + dir.file("p.pdf") + "' '" + dir.file("page") +
                                "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << "pdftoppm cannot read the PDF";
    const PngImage page(dir.file("page.png"));
    ASSERT_TRUE(page.valid());
    EXPECT_EQ(page.width(), 400);
    EXPECT_EQ(page.height(), 300);
    EXPECT_TRUE(isRed(page.at(300, 60))) << "the red square, its centre at (300, 240) in the world";
    EXPECT_TRUE(isWhite(page.at(100, 250)));
    EXPECT_TRUE(isWhite(page.at(0, 0)));
}

}  // namespace
