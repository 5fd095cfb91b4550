// Plots honour linetypes: which pattern a curve is drawn with, at what scale, and the dashes it shows in PNG and SVG.
#include "host/graphics/plot_drawing_test_support.h"

#include "dbents.h"
#include "dbpl.h"
#include "kelvora/display_list.h"
#include "kelvora/plot_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace kelvora;
using namespace kelvora::testing;

namespace {

// Scales are products of a few small factors: exact but for the last bit.
constexpr double kScaleTolerance = 1e-12;

// A canvas that keeps the pen of every curve it is asked to draw.
class PenLog final : public Canvas {
public:
    std::vector<Pen> pens;
    std::vector<std::vector<double>> patterns;  // copies: the drawing's own die with drawModelSpace
    std::vector<std::vector<PolylineVertex>> polylines;

    void polyline(std::span<const PolylineVertex> vertices, bool, const Pen& pen, double) override
    {
        polylines.emplace_back(vertices.begin(), vertices.end());
        keep(pen);
    }
    void filledPolygon(std::span<const std::vector<WorldPoint>>, Rgb) override {}
    void circle(WorldPoint, double, const Pen& pen) override { keep(pen); }
    void arc(WorldPoint, double, double, double, const Pen& pen) override { keep(pen); }
    void text(const TextItem&) override {}
    void point(WorldPoint, const Pen&) override {}

private:
    void keep(const Pen& pen)
    {
        pens.push_back(pen);
        patterns.push_back(pen.linetype != nullptr ? pen.linetype->dashes : std::vector<double>{});
    }
};

template <typename T, typename... Args>
T* make(Args&&... args)
{
    T* entity = new T(std::forward<Args>(args)...);
    entity->setDatabaseDefaults();
    return entity;
}

const std::vector<double> kDashed{0.5, -0.25};

class PlotLinetypes : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dashed = addLinetype(L"DASHED", kDashed);
        m_empty = addLinetype(L"NODASHES", {});
        m_clotures = m_db.addLayer(L"CLOTURES", 7);
        setLayerLinetype(m_clotures, m_dashed);
    }

    AcDbObjectId addLinetype(const wchar_t* name, const std::vector<double>& dashes) const
    {
        AcDbLinetypeTable* table = nullptr;
        if (m_db.get()->getLinetypeTable(table, AcDb::kForWrite) != Acad::eOk)
            return {};
        auto* record = new AcDbLinetypeTableRecord();
        record->setName(name);
        record->setNumDashes(static_cast<int>(dashes.size()));
        double length = 0.0;
        for (std::size_t i = 0; i < dashes.size(); ++i) {
            record->setDashLengthAt(static_cast<int>(i), dashes[i]);
            length += std::fabs(dashes[i]);
        }
        record->setPatternLength(length);
        AcDbObjectId id;
        if (table->add(id, record) != Acad::eOk)
            delete record;
        else
            record->close();
        table->close();
        return id;
    }

    void setLayerLinetype(AcDbObjectId layerId, AcDbObjectId linetypeId) const
    {
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, layerId, AcDb::kForWrite) != Acad::eOk)
            return;
        layer->setLinetypeObjectId(linetypeId);
        layer->close();
    }

    AcDbLine* line(AcDbObjectId layer, AcDbObjectId linetype) const
    {
        auto* l = make<AcDbLine>(AcGePoint3d(10, 50, 0), AcGePoint3d(90, 50, 0));
        if (!layer.isNull())
            l->setLayer(layer);
        if (!linetype.isNull())
            l->setLinetype(linetype);
        return l;
    }

    PenLog draw() const
    {
        PenLog log;
        std::vector<InfiniteLine> infinite;
        EXPECT_EQ(drawModelSpace(m_db.get(), log, infinite), Acad::eOk);
        return log;
    }

    PlotTestDatabase m_db;
    AcDbObjectId m_dashed;
    AcDbObjectId m_empty;
    AcDbObjectId m_clotures;
};

// ----- Effective linetype -------------------------------------------------------------------------

struct ResolutionCase {
    const char* name;
    bool onClotures;  // else layer "0", continuous
    enum Linetype { kByLayer, kByBlock, kContinuous, kDashed, kNoDashes } linetype;
    bool dashed;
};

class EffectiveLinetype : public PlotLinetypes, public ::testing::WithParamInterface<ResolutionCase> {
protected:
    AcDbObjectId idOf(ResolutionCase::Linetype which) const
    {
        switch (which) {
        case ResolutionCase::kByLayer:
            return m_db.get()->byLayerLinetype();
        case ResolutionCase::kByBlock:
            return m_db.get()->byBlockLinetype();
        case ResolutionCase::kContinuous:
            return m_db.get()->continuousLinetype();
        case ResolutionCase::kDashed:
            return m_dashed;
        case ResolutionCase::kNoDashes:
            return m_empty;
        }
        return {};
    }
};

TEST_P(EffectiveLinetype, OfATopLevelEntity)
{
    const ResolutionCase& c = GetParam();
    ASSERT_FALSE(m_db.add(line(c.onClotures ? m_clotures : AcDbObjectId(), idOf(c.linetype))).isNull());
    const PenLog log = draw();
    ASSERT_EQ(log.pens.size(), 1u) << c.name;
    EXPECT_EQ(log.patterns[0], c.dashed ? kDashed : std::vector<double>{}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Plots, EffectiveLinetype,
    ::testing::Values(ResolutionCase{"by_layer_on_dashed_layer", true, ResolutionCase::kByLayer, true},
                      ResolutionCase{"by_layer_on_continuous_layer", false, ResolutionCase::kByLayer, false},
                      ResolutionCase{"own_dashed_on_continuous_layer", false, ResolutionCase::kDashed, true},
                      ResolutionCase{"continuous_on_dashed_layer", true, ResolutionCase::kContinuous, false},
                      ResolutionCase{"by_block_at_top_level", true, ResolutionCase::kByBlock, false},
                      ResolutionCase{"linetype_without_dashes", false, ResolutionCase::kNoDashes, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlockCase {
    const char* name;
    bool referenceOnClotures;
    bool referenceDashed;      // else ByLayer
    bool innerByBlock;         // else Continuous
    bool dashed;
};

class LinetypeInBlock : public PlotLinetypes, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(LinetypeInBlock, OfAnEntityInAReference)
{
    const BlockCase& c = GetParam();
    // On a continuous layer of its own, so that only the reference can make it dashed.
    const AcDbObjectId inner = m_db.addLayer(L"INTERIEUR", 7);
    const AcDbObjectId block = m_db.addBlock(
        L"Clot", {line(inner, c.innerByBlock ? m_db.get()->byBlockLinetype() : m_db.get()->continuousLinetype())});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(0, 0, 0), block);
    if (c.referenceOnClotures)
        ref->setLayer(m_clotures);
    if (c.referenceDashed)
        ref->setLinetype(m_dashed);
    ASSERT_FALSE(m_db.add(ref).isNull());
    const PenLog log = draw();
    ASSERT_EQ(log.pens.size(), 1u) << c.name;
    EXPECT_EQ(log.patterns[0], c.dashed ? kDashed : std::vector<double>{}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Plots, LinetypeInBlock,
                         ::testing::Values(BlockCase{"by_block_in_dashed_reference", false, true, true, true},
                                           BlockCase{"by_block_in_by_layer_reference_on_dashed_layer", true, false,
                                                     true, true},
                                           BlockCase{"by_block_in_continuous_reference", false, false, true, false},
                                           BlockCase{"continuous_in_dashed_reference", false, true, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- Scale --------------------------------------------------------------------------------------

TEST_F(PlotLinetypes, ScaleIsLtscaleTimesTheEntitysScale)
{
    m_db.get()->setLtscale(2.0);
    AcDbLine* l = line(m_clotures, {});
    l->setLinetypeScale(3.0);
    ASSERT_FALSE(m_db.add(l).isNull());
    const PenLog log = draw();
    ASSERT_EQ(log.pens.size(), 1u);
    ASSERT_NE(log.pens[0].linetype, nullptr);
    EXPECT_NEAR(log.pens[0].linetypeScale, 6.0, kScaleTolerance);
}

TEST_F(PlotLinetypes, ScaleGrowsWithTheReferenceThatShowsIt)
{
    m_db.get()->setLtscale(2.0);
    const AcDbObjectId block = m_db.addBlock(L"Clot", {line(m_clotures, {})});
    auto* ref = make<AcDbBlockReference>(AcGePoint3d(0, 0, 0), block);
    ref->setScaleFactors(AcGeScale3d(4.0, 4.0, 1.0));
    ASSERT_FALSE(m_db.add(ref).isNull());
    const PenLog log = draw();
    ASSERT_EQ(log.pens.size(), 1u);
    ASSERT_NE(log.pens[0].linetype, nullptr);
    EXPECT_NEAR(log.pens[0].linetypeScale, 8.0, kScaleTolerance);
}

// ----- Polylines ----------------------------------------------------------------------------------

// A polyline of a straight segment, a half circle bulging to the right and another straight
// segment: (10,50) (30,50) (50,50) (70,50).
AcDbPolyline* lineArcLine()
{
    auto* pl = make<AcDbPolyline>();
    pl->addVertexAt(0, AcGePoint2d(10, 50));
    pl->addVertexAt(1, AcGePoint2d(30, 50), -1.0);
    pl->addVertexAt(2, AcGePoint2d(50, 50));
    pl->addVertexAt(3, AcGePoint2d(70, 50));
    return pl;
}

TEST_F(PlotLinetypes, DashedPolylineIsOneCurveThroughItsArcSegments)
{
    AcDbPolyline* pl = lineArcLine();
    pl->setLayer(m_clotures);
    ASSERT_FALSE(m_db.add(pl).isNull());
    const PenLog log = draw();
    ASSERT_EQ(log.polylines.size(), 1u) << "one pattern from end to end";
    ASSERT_EQ(log.pens.size(), 1u);
    const std::vector<PolylineVertex>& v = log.polylines[0];
    ASSERT_EQ(v.size(), 4u);
    EXPECT_NEAR(v[0].point.x, 10.0, kScaleTolerance);
    EXPECT_NEAR(v[1].bulge, -1.0, kScaleTolerance) << "the half circle, clockwise";
    EXPECT_NEAR(v[2].bulge, 0.0, kScaleTolerance);
    EXPECT_NEAR(v[3].point.x, 70.0, kScaleTolerance);
}

TEST_F(PlotLinetypes, ContinuousPolylineKeepsItsPieces)
{
    ASSERT_FALSE(m_db.add(lineArcLine()).isNull());
    const PenLog log = draw();
    EXPECT_EQ(log.pens.size(), 3u) << "run, arc, run";
}

// ----- What the plot shows ------------------------------------------------------------------------

constexpr double kUnits = 100.0;
constexpr int kPpu = 4;

// Along the line's centre line, from x = 12 to 88 in steps of a pixel: how many pixels are white.
int whiteAlongCentre(const PngImage& image, double y)
{
    int white = 0;
    for (double x = 12.0; x < 88.0; x += 1.0 / kPpu)
        white += isWhite(pixelAt(image, kUnits, kPpu, x, y)) ? 1 : 0;
    return white;
}

TEST_F(PlotLinetypes, DashedLayerShowsGapsAlongTheLineAndContinuousNone)
{
    // DASHED at LTSCALE 8: dashes 4 units (16 pixels), gaps 2 units (8 pixels).
    m_db.get()->setLtscale(8.0);
    auto* dashed = make<AcDbLine>(AcGePoint3d(10, 60, 0), AcGePoint3d(90, 60, 0));
    dashed->setLayer(m_clotures);
    ASSERT_FALSE(m_db.add(dashed).isNull());
    ASSERT_FALSE(m_db.add(make<AcDbLine>(AcGePoint3d(10, 30, 0), AcGePoint3d(90, 30, 0))).isNull());
    ScratchDir dir;
    std::string error;
    ASSERT_EQ(plotDatabase(m_db.get(), dir.file("p.png"), squareWindow(kUnits, kPpu), error), Acad::eOk) << error;
    const PngImage image(dir.file("p.png"));
    ASSERT_TRUE(image.valid());
    // The line starts with a dash at x = 10: 10..14 ink, 14..16 gap, 16..20 ink.
    EXPECT_TRUE(isInk(pixelAt(image, kUnits, kPpu, 12.0, 60.0)));
    EXPECT_TRUE(isWhite(pixelAt(image, kUnits, kPpu, 15.0, 60.0)));
    EXPECT_TRUE(isInk(pixelAt(image, kUnits, kPpu, 18.0, 60.0)));
    EXPECT_TRUE(isWhite(pixelAt(image, kUnits, kPpu, 21.0, 60.0)));
    // A third of each period is gap: about a third of the centre line is paper.
    const int samples = static_cast<int>((88.0 - 12.0) * kPpu);
    EXPECT_GT(whiteAlongCentre(image, 60.0), samples / 4);
    EXPECT_LT(whiteAlongCentre(image, 60.0), samples / 2);
    EXPECT_EQ(whiteAlongCentre(image, 30.0), 0) << "the continuous line has no gap";
}

TEST_F(PlotLinetypes, TooFineAPatternIsDrawnContinuous)
{
    // DASHED at LTSCALE 0.1 on 4 pixels a unit: a period of 0.3 pixel.
    m_db.get()->setLtscale(0.1);
    auto* dashed = make<AcDbLine>(AcGePoint3d(10, 60, 0), AcGePoint3d(90, 60, 0));
    dashed->setLayer(m_clotures);
    ASSERT_FALSE(m_db.add(dashed).isNull());
    ScratchDir dir;
    std::string error;
    ASSERT_EQ(plotDatabase(m_db.get(), dir.file("p.png"), squareWindow(kUnits, kPpu), error), Acad::eOk) << error;
    const PngImage image(dir.file("p.png"));
    ASSERT_TRUE(image.valid());
    EXPECT_EQ(whiteAlongCentre(image, 60.0), 0);
}

TEST_F(PlotLinetypes, SvgPathCarriesADashArray)
{
    m_db.get()->setLtscale(8.0);
    auto* dashed = make<AcDbLine>(AcGePoint3d(10, 60, 0), AcGePoint3d(90, 60, 0));
    dashed->setLayer(m_clotures);
    dashed->setColorIndex(1);
    ASSERT_FALSE(m_db.add(dashed).isNull());
    ASSERT_FALSE(m_db.add(make<AcDbLine>(AcGePoint3d(10, 30, 0), AcGePoint3d(90, 30, 0))).isNull());
    ScratchDir dir;
    std::string error;
    ASSERT_EQ(plotDatabase(m_db.get(), dir.file("p.svg"), squareWindow(kUnits, 1), error), Acad::eOk) << error;
    const std::string svg = readFile(dir.file("p.svg"));
    // One unit a point: dashes of 4 and gaps of 2 points.
    EXPECT_NE(svg.find("stroke-dasharray:4,2;"), std::string::npos) << svg;
    std::size_t count = 0;
    for (std::size_t at = svg.find("stroke-dasharray"); at != std::string::npos;
         at = svg.find("stroke-dasharray", at + 1))
        ++count;
    EXPECT_EQ(count, 1u) << "the continuous line has none";
}

// ----- The display list ---------------------------------------------------------------------------

TEST(DisplayListLinetypes, KeepsItsOwnCopyOfEachPattern)
{
    DisplayList list;
    {
        const LinetypePattern dashed{{0.5, -0.25}};
        const LinetypePattern dotted{{0.0, -0.25}};
        const std::vector<WorldPoint> line{{0, 0}, {10, 0}};
        drawPolyline(list, line, false, Pen{{}, 0.25, &dashed, 2.0});
        list.circle({0, 0}, 3.0, Pen{{}, 0.25, &dotted, 1.0});
        list.arc({0, 0}, 3.0, 0.0, 1.0, Pen{{}, 0.25, &dashed, 5.0});
        drawPolyline(list, line, false, Pen{});
    }
    EXPECT_EQ(list.patternCount(), 2u);
    PenLog log;
    list.replay(log);
    ASSERT_EQ(log.pens.size(), 4u);
    EXPECT_EQ(log.patterns[0], (std::vector<double>{0.5, -0.25}));
    EXPECT_NEAR(log.pens[0].linetypeScale, 2.0, kScaleTolerance);
    EXPECT_EQ(log.patterns[1], (std::vector<double>{0.0, -0.25}));
    EXPECT_EQ(log.patterns[2], (std::vector<double>{0.5, -0.25}));
    EXPECT_NEAR(log.pens[2].linetypeScale, 5.0, kScaleTolerance);
    EXPECT_EQ(log.pens[3].linetype, nullptr);
}

}  // namespace
