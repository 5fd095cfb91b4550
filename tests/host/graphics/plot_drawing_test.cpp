// Plots of drawings built in code: what is shown, in which colour and width, where, and in each file format.
#include "host/graphics/plot_drawing_test_support.h"

#include "acgi.h"
#include "dbents.h"
#include "dbhatch.h"
#include "dbpl.h"
#include "dbxline.h"
#include "kelvora/plot_drawing.h"
#include "kelvora/text_metrics.h"
#include "kelvora/wide_text.h"
#include "rxboiler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>

using namespace kelvora;
using namespace kelvora::testing;

// ----- Test entities ------------------------------------------------------------------------------

// A label as the module draws one: a text (blue) in a frame (red) around the text's measured box.
class PlotTestLabel : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(PlotTestLabel);
    PlotTestLabel() = default;
    PlotTestLabel(const AcGePoint3d& at, double height, const wchar_t* text, const wchar_t* fontFile)
        : m_at(at), m_height(height), m_text(text), m_fontFile(fontFile)
    {
    }

    // The frame's gap around the text, as a share of the text height.
    static constexpr double kGap = 0.25;

    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
    {
        const TextBox box = measureText(findFontFace(toUtf8(m_fontFile)), toUtf8(m_text), m_height, 1.0);
        const double gap = kGap * m_height;
        AcGePoint3d frame[5] = {m_at + AcGeVector3d(box.left - gap, box.bottom - gap, 0),
                                m_at + AcGeVector3d(box.right + gap, box.bottom - gap, 0),
                                m_at + AcGeVector3d(box.right + gap, box.top + gap, 0),
                                m_at + AcGeVector3d(box.left - gap, box.top + gap, 0),
                                m_at + AcGeVector3d(box.left - gap, box.bottom - gap, 0)};
        wd->subEntityTraits().setColor(1);
        wd->geometry().polyline(5, frame);
        AcGiTextStyle style;
        style.setFileName(m_fontFile.c_str());
        style.setTextSize(m_height);
        wd->subEntityTraits().setColor(5);
        wd->geometry().text(m_at, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, m_text.c_str(), -1, Adesk::kFalse,
                            style);
        return Adesk::kTrue;
    }

private:
    AcGePoint3d m_at;
    double m_height = 1.0;
    std::wstring m_text;
    std::wstring m_fontFile;
};

// Squares of side 20 drawn through the primitives a custom entity has, one shape per kind.
class PlotTestShapes : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(PlotTestShapes);
    enum class Kind {
        kFilledSquare,         // a filled square at (10, 10)
        kOverlappingSquares,   // filled squares at (10, 10) and (20, 20): they overlap at (20..30, 20..30)
        kByBlockSubEntity,     // traits set to colour 3, then a ByBlock line drawn as a nested drawable
    };
    PlotTestShapes() = default;
    explicit PlotTestShapes(Kind kind) : m_kind(kind) {}

    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
    {
        switch (m_kind) {
        case Kind::kFilledSquare:
            wd->subEntityTraits().setFillType(kAcGiFillAlways);
            square(wd, 10, 10);
            break;
        case Kind::kOverlappingSquares:
            wd->subEntityTraits().setFillType(kAcGiFillAlways);
            square(wd, 10, 10);
            square(wd, 20, 20);
            break;
        case Kind::kByBlockSubEntity: {
            wd->subEntityTraits().setColor(3);
            AcDbLine line(AcGePoint3d(10, 50, 0), AcGePoint3d(90, 50, 0));
            line.setColorIndex(0);
            line.setLineWeight(AcDb::kLnWt100);
            wd->geometry().draw(&line);
            break;
        }
        }
        return Adesk::kTrue;
    }

private:
    static void square(AcGiWorldDraw* wd, double x, double y)
    {
        AcGePoint3d corners[4] = {{x, y, 0}, {x + 20, y, 0}, {x + 20, y + 20, 0}, {x, y + 20, 0}};
        wd->geometry().polygon(4, corners);
    }

    Kind m_kind = Kind::kFilledSquare;
};

// A hatch that draws each of its loops as a filled polygon of its own: (10,10)-(90,90) around
// (40,40)-(60,60), as a hatch of another program's making might.
class PlotTestLoopHatch : public AcDbHatch {
public:
    ACRX_DECLARE_MEMBERS(PlotTestLoopHatch);
    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
    {
        wd->subEntityTraits().setFillType(kAcGiFillAlways);
        for (const auto& [lo, hi] : {std::pair{10.0, 90.0}, {40.0, 60.0}}) {
            AcGePoint3d loop[4] = {{lo, lo, 0}, {hi, lo, 0}, {hi, hi, 0}, {lo, hi, 0}};
            wd->geometry().polygon(4, loop);
        }
        return Adesk::kTrue;
    }
};

ACRX_CONS_DEFINE_MEMBERS(PlotTestLabel, AcDbEntity, 0);
ACRX_CONS_DEFINE_MEMBERS(PlotTestLoopHatch, AcDbHatch, 0);
ACRX_CONS_DEFINE_MEMBERS(PlotTestShapes, AcDbEntity, 0);

namespace {

void registerPlotTestClasses()
{
    static const bool registered = [] {
        PlotTestLabel::rxInit();
        PlotTestShapes::rxInit();
        PlotTestLoopHatch::rxInit();
        acrxBuildClassHierarchy();
        return true;
    }();
    (void)registered;
}

// ----- Helpers ------------------------------------------------------------------------------------

// 100 x 100 drawing units on 200 x 200 pixels: two pixels a unit.
constexpr double kUnits = 100.0;
constexpr int kPpu = 2;

// A new entity with the drawing's defaults (layer "0", ByLayer), ready for its own properties: one
// appended without a layer would be given the defaults over what the test set.
template <typename T, typename... Args>
T* make(Args&&... args)
{
    T* entity = new T(std::forward<Args>(args)...);
    entity->setDatabaseDefaults();
    return entity;
}

AcDbLine* line(double x1, double y1, double x2, double y2, int colour = 256,
               AcDb::LineWeight weight = AcDb::kLnWt100)
{
    auto* l = make<AcDbLine>(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0));
    l->setColorIndex(static_cast<Adesk::UInt16>(colour));
    l->setLineWeight(weight);
    return l;
}

class PlotDrawing : public ::testing::Test {
protected:
    void SetUp() override { registerPlotTestClasses(); }

    // Plots into the scratch folder and reads the PNG back.
    std::unique_ptr<PngImage> plot(const PlotOptions& options = squareWindow(kUnits, kPpu))
    {
        const std::string path = m_dir.file("plot.png");
        std::string error;
        EXPECT_EQ(plotDatabase(m_db.get(), path, options, error), Acad::eOk) << error;
        auto image = std::make_unique<PngImage>(path);
        EXPECT_TRUE(image->valid());
        return image;
    }

    Rgb at(const PngImage& image, double x, double y) const { return pixelAt(image, kUnits, kPpu, x, y); }

    // How many pixels of ink the column at world x crosses, counted along its whole height.
    static int inkRunAt(const PngImage& image, double x)
    {
        const int px = static_cast<int>(x * kPpu);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += isInk(image.at(px, y)) ? 1 : 0;
        return n;
    }

    ScratchDir m_dir;
    PlotTestDatabase m_db;
};

// ----- Places and colours -------------------------------------------------------------------------

TEST_F(PlotDrawing, RedLineIsDrawnWhereItLies)
{
    m_db.add(line(10, 50, 90, 50, 1));
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 50, 50)));
    EXPECT_TRUE(isRed(at(*image, 20, 50)));
    EXPECT_TRUE(isWhite(at(*image, 50, 60))) << "nothing above the line";
    EXPECT_TRUE(isWhite(at(*image, 5, 50))) << "nothing before its start";
    EXPECT_TRUE(isWhite(at(*image, 95, 50))) << "nothing past its end";
}

struct LayerCase {
    const char* name;
    int layerColour;
    bool off;
    bool frozen;
    int entityColour;  // 256 ByLayer
    bool (*expected)(Rgb);
};

class PlotLayerColours : public PlotDrawing, public ::testing::WithParamInterface<LayerCase> {};

TEST_P(PlotLayerColours, ShowTheLineAsItsLayerSays)
{
    const LayerCase& c = GetParam();
    const AcDbObjectId layer = m_db.addLayer(L"Limites", c.layerColour, c.off, c.frozen);
    AcDbLine* l = line(10, 50, 90, 50, c.entityColour);
    l->setLayer(layer);
    m_db.add(l);
    const auto image = plot();
    EXPECT_TRUE(c.expected(at(*image, 50, 50))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Layers, PlotLayerColours,
                         ::testing::Values(LayerCase{"by_layer_takes_the_layers_colour", 5, false, false, 256, isBlue},
                                           LayerCase{"own_colour_wins_over_the_layers", 5, false, false, 1, isRed},
                                           LayerCase{"colour_7_is_black_on_white", 7, false, false, 256, isBlack},
                                           LayerCase{"layer_off_hides_it", 5, true, false, 256, isWhite},
                                           LayerCase{"frozen_layer_hides_it", 5, false, true, 1, isWhite}),
                         [](const ::testing::TestParamInfo<LayerCase>& info) { return std::string(info.param.name); });

TEST_F(PlotDrawing, TrueColourIsDrawnAsIs)
{
    AcDbLine* l = line(10, 50, 90, 50);
    AcCmColor colour;
    colour.setRGB(0, 128, 255);
    l->setColor(colour);
    m_db.add(l);
    const auto image = plot();
    const Rgb c = at(*image, 50, 50);
    EXPECT_EQ(c, (Rgb{0, 128, 255}));
}

TEST_F(PlotDrawing, InvisibleEntityIsLeftOut)
{
    AcDbLine* l = line(10, 50, 90, 50, 1);
    l->setVisibility(AcDb::kInvisible);
    m_db.add(l);
    const auto image = plot();
    EXPECT_EQ(countPixels(*image, isInk), 0);
}

TEST_F(PlotDrawing, EntityHeldOpenForWriteIsStillDrawn)
{
    const AcDbObjectId id = m_db.add(line(10, 50, 90, 50, 1));
    AcDbEntity* held = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(held, id, AcDb::kForWrite), Acad::eOk);
    const auto image = plot();
    held->close();
    EXPECT_TRUE(isRed(at(*image, 50, 50)));
}

// ----- Blocks -------------------------------------------------------------------------------------

TEST_F(PlotDrawing, ByBlockColourTakesTheReferencesColour)
{
    const AcDbObjectId block = m_db.addBlock(L"Repere", {line(0, 0, 80, 0, 0)});
    auto* green = make<AcDbBlockReference>(AcGePoint3d(10, 70, 0), block);
    green->setColorIndex(3);
    m_db.add(green);
    // ByLayer on a blue layer: the block's ByBlock line shows the layer's blue, though it is on "0".
    auto* byLayer = make<AcDbBlockReference>(AcGePoint3d(10, 30, 0), block);
    byLayer->setLayer(m_db.addLayer(L"Bleu", 5));
    m_db.add(byLayer);
    const auto image = plot();
    EXPECT_TRUE(isGreen(at(*image, 50, 70)));
    EXPECT_TRUE(isBlue(at(*image, 50, 30)));
}

TEST_F(PlotDrawing, ByBlockOnAnotherLayerTakesTheReferencesLayerColour)
{
    const AcDbObjectId red = m_db.addLayer(L"Rouge", 1);
    AcDbLine* l = line(0, 0, 80, 0, 0);
    l->setLayer(red);
    const AcDbObjectId block = m_db.addBlock(L"Repere", {l});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(10, 50, 0), block);
    ref->setLayer(m_db.addLayer(L"Bleu", 5));
    m_db.add(ref);
    const auto image = plot();
    EXPECT_TRUE(isBlue(at(*image, 50, 50)));
}

TEST_F(PlotDrawing, LayerZeroInABlockTakesTheReferencesLayer)
{
    const AcDbObjectId block = m_db.addBlock(L"Repere", {line(0, 0, 80, 0)});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(10, 50, 0), block);
    ref->setLayer(m_db.addLayer(L"Bleu", 5));
    m_db.add(ref);
    const auto image = plot();
    EXPECT_TRUE(isBlue(at(*image, 50, 50)));
}

TEST_F(PlotDrawing, ReferenceOnALayerThatIsOffStillShowsItsOtherLayers)
{
    AcDbLine* onRed = line(0, 20, 80, 20);
    onRed->setLayer(m_db.addLayer(L"Rouge", 1));
    const AcDbObjectId block = m_db.addBlock(L"Repere", {line(0, 0, 80, 0, 256), onRed});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(10, 30, 0), block);
    ref->setLayer(m_db.addLayer(L"Eteint", 5, true));
    m_db.add(ref);
    const auto image = plot();
    EXPECT_TRUE(isWhite(at(*image, 50, 30))) << "its layer-0 line takes the reference's layer, which is off";
    EXPECT_TRUE(isRed(at(*image, 50, 50))) << "its line on a layer that is on";
}

TEST_F(PlotDrawing, ReferenceOnAFrozenLayerShowsNothing)
{
    AcDbLine* onRed = line(0, 0, 80, 0);
    onRed->setLayer(m_db.addLayer(L"Rouge", 1));
    const AcDbObjectId block = m_db.addBlock(L"Repere", {onRed});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(10, 50, 0), block);
    ref->setLayer(m_db.addLayer(L"Gele", 5, false, true));
    m_db.add(ref);
    const auto image = plot();
    EXPECT_EQ(countPixels(*image, isInk), 0);
}

TEST_F(PlotDrawing, ByBlockResolvesThroughNestedBlocks)
{
    const AcDbObjectId inner = m_db.addBlock(L"Interieur", {line(0, 0, 80, 0, 0)});
    auto* innerRef = make<AcDbBlockReference>(AcGePoint3d(0, 0, 0), inner);
    innerRef->setColorIndex(0);
    const AcDbObjectId outer = m_db.addBlock(L"Exterieur", {innerRef});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(10, 50, 0), outer);
    ref->setColorIndex(3);
    m_db.add(ref);
    const auto image = plot();
    EXPECT_TRUE(isGreen(at(*image, 50, 50)));
}

TEST_F(PlotDrawing, BlockIsDrawnUnderItsReferencesTransform)
{
    // The block's line runs from its origin (5, 5) along X; placed at (50, 20), turned a quarter.
    const AcDbObjectId block = m_db.addBlock(L"Repere", {line(5, 5, 45, 5, 1)}, AcGePoint3d(5, 5, 0));
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(50, 20, 0), block);
    ref->setRotation(3.14159265358979323846 / 2.0);
    m_db.add(ref);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 50, 40)));
    EXPECT_TRUE(isWhite(at(*image, 70, 20)));
}

TEST_F(PlotDrawing, NestedDrawableTakesItsByBlockColourFromWhereItIsDrawn)
{
    m_db.add(make<PlotTestShapes>(PlotTestShapes::Kind::kByBlockSubEntity));
    const auto image = plot();
    EXPECT_TRUE(isGreen(at(*image, 50, 50)));
}

// ----- Fills, widths, lineweights -----------------------------------------------------------------

TEST_F(PlotDrawing, FilledPolygonIsFilled)
{
    auto* shapes = make<PlotTestShapes>(PlotTestShapes::Kind::kFilledSquare);
    shapes->setColorIndex(1);
    m_db.add(shapes);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 20, 20)));
    EXPECT_TRUE(isWhite(at(*image, 35, 20)));
}

TEST_F(PlotDrawing, OverlappingFillsOfOneEntityAreNotHoles)
{
    auto* shapes = make<PlotTestShapes>(PlotTestShapes::Kind::kOverlappingSquares);
    shapes->setColorIndex(1);
    m_db.add(shapes);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 25, 25))) << "the overlap of two fills of one entity stays filled";
    EXPECT_TRUE(isRed(at(*image, 15, 15)));
    EXPECT_TRUE(isRed(at(*image, 35, 35)));
}

TEST_F(PlotDrawing, SolidHatchIsFilledAndItsIslandLeftOpen)
{
    auto* hatch = make<AcDbHatch>();
    hatch->setColorIndex(1);
    ASSERT_EQ(hatch->setPattern(AcDbHatch::kPreDefined, L"SOLID"), Acad::eOk);
    AcGePoint2dArray outer;
    for (const auto& [x, y] : {std::pair{10.0, 10.0}, {90.0, 10.0}, {90.0, 90.0}, {10.0, 90.0}})
        outer.append(AcGePoint2d(x, y));
    AcGePoint2dArray island;
    for (const auto& [x, y] : {std::pair{40.0, 40.0}, {60.0, 40.0}, {60.0, 60.0}, {40.0, 60.0}})
        island.append(AcGePoint2d(x, y));
    ASSERT_EQ(hatch->appendLoop(AcDbHatch::kExternal, outer, AcGeDoubleArray()), Acad::eOk);
    ASSERT_EQ(hatch->appendLoop(AcDbHatch::kDefault, island, AcGeDoubleArray()), Acad::eOk);
    m_db.add(hatch);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 20, 20)));
    EXPECT_TRUE(isRed(at(*image, 50, 30)));
    EXPECT_TRUE(isRed(at(*image, 70, 75)));
    EXPECT_TRUE(isWhite(at(*image, 50, 50))) << "the island stays open";
    EXPECT_TRUE(isWhite(at(*image, 45, 55)));
    EXPECT_TRUE(isWhite(at(*image, 5, 50))) << "nothing outside the boundary";
}

TEST_F(PlotDrawing, LoopsOfOneHatchFillTogetherSoThatIslandsStayOpen)
{
    auto* hatch = make<PlotTestLoopHatch>();
    hatch->setColorIndex(1);
    m_db.add(hatch);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 20, 20)));
    EXPECT_TRUE(isWhite(at(*image, 50, 50))) << "the island's polygon opens a hole in the outer one";
}

struct WeightCase {
    const char* name;
    AcDb::LineWeight entityWeight;
    AcDb::LineWeight layerWeight;
    int minPixels;
    int maxPixels;
};

class PlotLineweights : public PlotDrawing, public ::testing::WithParamInterface<WeightCase> {};

TEST_P(PlotLineweights, WidenTheStroke)
{
    // Device units are 1/72 inch: 1 mm is 2.83 pixels; no stroke is thinner than one pixel.
    const WeightCase& c = GetParam();
    const AcDbObjectId layer = m_db.addLayer(L"Traits", 7);
    AcDbLayerTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, layer, AcDb::kForWrite), Acad::eOk);
    record->setLineWeight(c.layerWeight);
    record->close();
    AcDbLine* l = line(10, 50, 90, 50, 256, c.entityWeight);
    l->setLayer(layer);
    m_db.add(l);
    const auto image = plot();
    const int run = inkRunAt(*image, 50);
    EXPECT_GE(run, c.minPixels) << c.name;
    EXPECT_LE(run, c.maxPixels) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Weights, PlotLineweights,
    ::testing::Values(WeightCase{"default_is_a_hairline", AcDb::kLnWtByLwDefault, AcDb::kLnWtByLwDefault, 1, 2},
                      WeightCase{"own_2_mm", AcDb::kLnWt200, AcDb::kLnWtByLwDefault, 5, 7},
                      WeightCase{"by_layer_1_mm", AcDb::kLnWtByLayer, AcDb::kLnWt100, 3, 4},
                      WeightCase{"by_layer_of_a_default_layer", AcDb::kLnWtByLayer, AcDb::kLnWtByLwDefault, 1, 2},
                      WeightCase{"zero_is_the_thinnest", AcDb::kLnWt000, AcDb::kLnWt200, 1, 2}),
    [](const ::testing::TestParamInfo<WeightCase>& info) { return std::string(info.param.name); });

TEST_F(PlotDrawing, WidePolylineIsABandOfItsWidth)
{
    auto* pl = make<AcDbPolyline>();
    pl->addVertexAt(0, AcGePoint2d(10, 50));
    pl->addVertexAt(1, AcGePoint2d(90, 50));
    pl->setConstantWidth(10.0);
    m_db.add(pl);
    const auto image = plot();
    const int run = inkRunAt(*image, 50);
    EXPECT_GE(run, 19);
    EXPECT_LE(run, 21);
    EXPECT_TRUE(isBlack(at(*image, 50, 53)));
}

TEST_F(PlotDrawing, TaperedPolylineNarrowsAlongItsLength)
{
    auto* pl = make<AcDbPolyline>();
    pl->addVertexAt(0, AcGePoint2d(10, 50), 0.0, 20.0, 0.0);
    pl->addVertexAt(1, AcGePoint2d(90, 50));
    m_db.add(pl);
    const auto image = plot();
    const int nearStart = inkRunAt(*image, 15);
    const int middle = inkRunAt(*image, 50);
    const int nearEnd = inkRunAt(*image, 85);
    EXPECT_NEAR(nearStart, 2 * 2 * 18.75 / 2, 2.0);  // 18.75 units wide there
    EXPECT_NEAR(middle, 2 * 10.0, 2.0);
    EXPECT_LT(nearEnd, middle / 2);
}

TEST_F(PlotDrawing, CircleAndArcAreDrawnOnTheirRadius)
{
    auto* circle = make<AcDbCircle>(AcGePoint3d(30, 30, 0), AcGeVector3d::kZAxis, 15);
    circle->setColorIndex(1);
    circle->setLineWeight(AcDb::kLnWt100);
    m_db.add(circle);
    // The upper half of a circle about (70, 70).
    auto* arc = make<AcDbArc>(AcGePoint3d(70, 70, 0), 15, 0.0, 3.14159265358979323846);
    arc->setColorIndex(5);
    arc->setLineWeight(AcDb::kLnWt100);
    m_db.add(arc);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 45, 30)));
    EXPECT_TRUE(isRed(at(*image, 30, 15)));
    EXPECT_TRUE(isWhite(at(*image, 30, 30)));
    EXPECT_TRUE(isBlue(at(*image, 70, 85)));
    EXPECT_TRUE(isWhite(at(*image, 70, 55))) << "the lower half is not part of the arc";
}

TEST_F(PlotDrawing, XlineCrossesTheWholeWindow)
{
    auto* xline = make<AcDbXline>();
    xline->setBasePoint(AcGePoint3d(50, 50, 0));
    xline->setUnitDir(AcGeVector3d(1, 0, 0));
    xline->setColorIndex(1);
    xline->setLineWeight(AcDb::kLnWt100);
    m_db.add(xline);
    const auto image = plot();
    EXPECT_TRUE(isRed(at(*image, 0.5, 50)));
    EXPECT_TRUE(isRed(at(*image, 99.5, 50)));
}

// ----- Texts --------------------------------------------------------------------------------------

TEST_F(PlotDrawing, LabelFrameMeasuredByTheHostFitsItsText)
{
    // Large on the sheet, so that a glyph outside its measured box would show.
    m_db.add(make<PlotTestLabel>(AcGePoint3d(10, 40, 0), 12.0, L"Lot 7 ég", L"arial.ttf"));
    const auto image = plot();
    const TextBox box = measureText(findFontFace("arial.ttf"), "Lot 7 \xc3\xa9g", 12.0, 1.0);
    const double gap = PlotTestLabel::kGap * 12.0;
    const double left = (10 + box.left - gap) * kPpu;
    const double right = (10 + box.right + gap) * kPpu;
    const double top = (kUnits - (40 + box.top + gap)) * kPpu;
    const double bottom = (kUnits - (40 + box.bottom - gap)) * kPpu;
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            const Rgb c = image->at(x, y);
            // Text pixels: blue ink, anti-aliased edges included.
            if (!(c.b > 150 && c.r < 200 && isInk(c)))
                continue;
            if (x > left + 1 && x < right - 1 && y > top + 1 && y < bottom - 1)
                ++inside;
            else
                ++outside;
        }
    }
    EXPECT_GT(inside, 200) << "the text is drawn";
    EXPECT_EQ(outside, 0) << "no glyph leaves the frame drawn around its measured box";
}

TEST_F(PlotDrawing, TextStandsOnItsInsertionPointTurnedByItsDirection)
{
    auto* text = make<AcDbText>(AcGePoint3d(50, 50, 0), L"HHHH", AcDbObjectId(), 10.0, 3.14159265358979323846 / 2.0);
    text->setColorIndex(1);
    m_db.add(text);
    const auto image = plot();
    // Turned a quarter: the text runs up from (50, 50), its letters to the left of x = 50.
    EXPECT_GT(countPixels(*image, isRed), 100);
    int rightOfBaseline = 0;
    int belowStart = 0;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            if (!isRed(image->at(x, y)))
                continue;
            rightOfBaseline += x > 50 * kPpu + 1 ? 1 : 0;
            belowStart += y > (kUnits - 50) * kPpu + 1 ? 1 : 0;
        }
    }
    EXPECT_EQ(rightOfBaseline, 0);
    EXPECT_EQ(belowStart, 0);
}

// ----- The view -----------------------------------------------------------------------------------

TEST_F(PlotDrawing, DefaultViewIsTheExtentsWithAMargin)
{
    m_db.add(line(0, 0, 100, 0, 7, AcDb::kLnWt200));
    m_db.add(line(0, 0, 0, 50, 7, AcDb::kLnWt200));
    const auto image = plot(PlotOptions{});
    ASSERT_EQ(image->width(), kDefaultPlotWidth);
    ASSERT_EQ(image->height(), kDefaultPlotHeight);
    int left = image->width();
    int right = -1;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            if (isInk(image->at(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    // 100 units plus 5 % on each side over 1600 pixels: 1454.5 pixels of drawing, 72.7 each side.
    EXPECT_NEAR(left, 72.7, 4.0);
    EXPECT_NEAR(right, 1600 - 72.7, 4.0);
}

TEST_F(PlotDrawing, LayerThatIsOffDoesNotWidenTheView)
{
    m_db.add(line(0, 0, 100, 0, 7, AcDb::kLnWt200));
    AcDbLine* far = line(5000, 5000, 5100, 5000, 7);
    far->setLayer(m_db.addLayer(L"Eteint", 1, true));
    m_db.add(far);
    const auto image = plot(PlotOptions{});
    int left = image->width();
    int right = -1;
    for (int x = 0; x < image->width(); ++x) {
        if (isInk(image->at(x, image->height() / 2))) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_GT(right - left, 0.8 * image->width());
}

TEST_F(PlotDrawing, EmptyDrawingIsWhitePaper)
{
    const auto image = plot(PlotOptions{});
    EXPECT_EQ(image->width(), kDefaultPlotWidth);
    EXPECT_EQ(countPixels(*image, isInk), 0);
}

// ----- Failures -----------------------------------------------------------------------------------

struct FailureCase {
    const char* name;
    std::string file;  // in the scratch folder
    std::function<void(PlotOptions&)> options;
    bool nullDatabase;
    Acad::ErrorStatus status;
};

class PlotDrawingFailures : public PlotDrawing, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PlotDrawingFailures, AnswerAStatusAndAMessageAndWriteNothing)
{
    const FailureCase& c = GetParam();
    m_db.add(line(10, 50, 90, 50, 1));
    PlotOptions options;
    c.options(options);
    const std::string path = m_dir.file(c.file);
    std::string error;
    EXPECT_EQ(plotDatabase(c.nullDatabase ? nullptr : m_db.get(), path, options, error), c.status) << c.name;
    EXPECT_NE(error.find(path), std::string::npos) << "the message names the file: " << error;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(m_dir.entryCount(), 0u) << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PlotDrawingFailures,
    ::testing::Values(
        FailureCase{"no_database", "plot.png", [](PlotOptions&) {}, true, Acad::eNullObjectPointer},
        FailureCase{"unknown_format", "plot.bmp", [](PlotOptions&) {}, false, Acad::eInvalidInput},
        FailureCase{"zero_width", "plot.png", [](PlotOptions& o) { o.width = 0; }, false, Acad::eInvalidInput},
        FailureCase{"too_high", "plot.png", [](PlotOptions& o) { o.height = kMaxPlotSide + 1; }, false,
                    Acad::eInvalidInput},
        FailureCase{"window_without_area", "plot.png",
                    [](PlotOptions& o) { o.window = WorldExtents::fromCorners({10, 10}, {10, 60}); }, false,
                    Acad::eInvalidInput},
        FailureCase{"window_not_finite", "plot.svg",
                    [](PlotOptions& o) {
                        o.window = WorldExtents::fromCorners({0, 0}, {std::numeric_limits<double>::infinity(), 5});
                    },
                    false, Acad::eInvalidInput},
        FailureCase{"folder_missing", "missing/plot.png", [](PlotOptions&) {}, false, Acad::eFileAccessErr}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// ----- SVG and PDF --------------------------------------------------------------------------------

int countMatches(const std::string& text, const std::regex& pattern)
{
    return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern),
                                          std::sregex_iterator()));
}

TEST_F(PlotDrawing, SvgKeepsCirclesAndArcsAsCurves)
{
    m_db.add(make<AcDbCircle>(AcGePoint3d(30, 30, 0), AcGeVector3d::kZAxis, 15));
    m_db.add(make<AcDbArc>(AcGePoint3d(70, 70, 0), 15, 0.0, 3.14159265358979323846));
    m_db.add(line(10, 90, 90, 90, 1));
    const std::string path = m_dir.file("plot.svg");
    std::string error;
    ASSERT_EQ(plotDatabase(m_db.get(), path, squareWindow(kUnits, kPpu), error), Acad::eOk) << error;
    const std::string svg = readFile(path);
    ASSERT_NE(svg.find("<svg"), std::string::npos);
    // One stroked path for each entity, each drawn with few path commands: curves, not chords.
    const std::regex stroked(R"(<path[^>]*stroke-width)");
    EXPECT_EQ(countMatches(svg, stroked), 3);
    const std::regex curve(R"(<path[^>]*d="[^"]* C [^"]*")");
    EXPECT_EQ(countMatches(svg, curve), 2) << "the circle and the arc are Bezier curves";
    const std::regex many(R"(( L [-0-9.]+ [-0-9.]+){20})");
    EXPECT_EQ(countMatches(svg, many), 0) << "no curve is flattened into chords";
    EXPECT_TRUE(std::regex_search(svg, std::regex(R"(rgb\(100%, ?0%, ?0%\))"))) << "the red line keeps its colour";
}

TEST_F(PlotDrawing, PdfIsReadByPdftoppmWithItsColours)
{
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed";
    auto* shapes = make<PlotTestShapes>(PlotTestShapes::Kind::kFilledSquare);
    shapes->setColorIndex(1);
    m_db.add(shapes);
    const std::string path = m_dir.file("plot.pdf");
    std::string error;
    ASSERT_EQ(plotDatabase(m_db.get(), path, squareWindow(kUnits, kPpu), error), Acad::eOk) << error;
    const std::string page = m_dir.file("page");
    const std::string command = "pdftoppm -png -r 72 -singlefile '" + path + "' '" + page + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const PngImage image(page + ".png");
    ASSERT_TRUE(image.valid());
    EXPECT_EQ(image.width(), 200);
    EXPECT_TRUE(isRed(pixelAt(image, kUnits, kPpu, 20, 20)));
    EXPECT_TRUE(isWhite(pixelAt(image, kUnits, kPpu, 50, 50)));
}

}  // namespace
