// OPTIMIZEPOL and the conversion of old-style 2D polylines: fewer vertices, same shape, same identity.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dbents.h"
#include "dbpl.h"
#include "surfaces/ne_surface.h"
#include "tools/optimize_tolerances.h"
#include "tools/polyline_2d_conversion.h"
#include "tools_drawing.h"

namespace {

using kelvora::tools::OptimizeTolerances;
using tools_test::sameVertices;
using tools_test::ToolsDrawing;
using tools_test::Vertex;
using tools_test::verticesOf;

bool has(const std::string& out, const std::string& text)
{
    return out.find(text) != std::string::npos;
}

AcDb2dVertex* vertexAt(double x, double y, double bulge = 0.0, double startWidth = 0.0, double endWidth = 0.0,
                       AcDb::Vertex2dType type = AcDb::k2dVertex)
{
    auto* vertex = new AcDb2dVertex(AcGePoint3d(x, y, 0), bulge, startWidth, endWidth);
    vertex->setVertexType(type);
    return vertex;
}

TEST(Polyline2dConversion, CopiesPlaneFlagsAndVerticesLeavingOutControlVertices)
{
    AcDb2dPolyline old;
    old.setNormal(AcGeVector3d(0, 0, -1));
    old.setElevation(3.0);
    old.setClosed(Adesk::kTrue);
    old.appendVertex(vertexAt(0, 0, 0.5, 0.1, 0.2, AcDb::k2dSplineFitVertex));
    old.appendVertex(vertexAt(5, 5, 0.0, 0.0, 0.0, AcDb::k2dSplineCtlVertex));
    old.appendVertex(vertexAt(10, 0, -0.25, 0.3, 0.4, AcDb::k2dSplineFitVertex));
    old.appendVertex(vertexAt(10, 10, 0.0, 0.0, 0.0, AcDb::k2dVertex));

    std::unique_ptr<AcDbPolyline> pline(kelvora::tools::lightweightFrom2dPolyline(&old));
    ASSERT_NE(pline, nullptr);
    EXPECT_TRUE(pline->normal().isEqualTo(AcGeVector3d(0, 0, -1)));
    EXPECT_DOUBLE_EQ(pline->elevation(), 3.0);
    EXPECT_TRUE(pline->isClosed());
    EXPECT_TRUE(sameVertices(verticesOf(*pline), {{0, 0, 0.5}, {10, 0, -0.25}, {10, 10, 0}}));
    double start = 0.0, end = 0.0;
    pline->getWidthsAt(1, start, end);
    EXPECT_DOUBLE_EQ(start, 0.3);
    EXPECT_DOUBLE_EQ(end, 0.4);
}

TEST(Polyline2dConversion, EmptyPolylineGivesAnEmptyOne)
{
    AcDb2dPolyline old;
    std::unique_ptr<AcDbPolyline> pline(kelvora::tools::lightweightFrom2dPolyline(&old));
    ASSERT_NE(pline, nullptr);
    EXPECT_EQ(pline->numVerts(), 0u);
    EXPECT_EQ(kelvora::tools::lightweightFrom2dPolyline(nullptr), nullptr);
}

class Optimize : public ToolsDrawing {
protected:
    void SetUp() override
    {
        ToolsDrawing::SetUp();
        kelvora::tools::optimizeTolerances() = OptimizeTolerances{};
    }
    void TearDown() override
    {
        kelvora::tools::optimizeTolerances() = OptimizeTolerances{};
        ToolsDrawing::TearDown();
    }

    AcDbObjectId addOldPolyline(int count, const ACHAR* layer, Adesk::UInt16 colour)
    {
        auto* old = new AcDb2dPolyline();
        for (int i = 0; i < count; ++i)
            old->appendVertex(vertexAt(i, 0));
        old->setLayer(layer);
        old->setColorIndex(colour);
        return add(old);
    }

    void makeLayer(const ACHAR* name)
    {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db()->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord();
        record->setName(name);
        AcDbObjectId id;
        table->add(id, record);
        record->close();
        table->close();
    }
};

TEST_F(Optimize, OldPolylineBecomesLightweightKeepingIdHandleAndProperties)
{
    makeLayer(L"LOTS");
    const AcDbObjectId old = addOldPolyline(10, L"LOTS", 3);
    const AcDbHandle handle = old.handle();
    const AcDbObjectId light = addPolyline({{0, 10, 0}, {2, 10, 0}, {4, 10, 0}, {6, 10, 0}, {8, 10, 0}});

    const std::string out = run("OPTIMIZEPOL\n0.05\n0.001\nALL\n\n");
    EXPECT_TRUE(has(out, "\nTolérance sur les directions: <0.0500> 0.05\n")) << out;
    EXPECT_TRUE(has(out, "\nTolérance sur les distances: <0.0010> 0.001\n")) << out;
    EXPECT_TRUE(has(out, "\nSelectionnez les polylines à optimizer")) << out;
    EXPECT_TRUE(has(out, "\rElément 1, 1 polylines converties, 8 sommets supprimés")) << out;
    EXPECT_TRUE(has(out, "\rElément 2, 1 polylines converties, 11 sommets supprimés")) << out;
    EXPECT_FALSE(has(out, "Elément 3")) << out;

    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, old, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->isA(), AcDbPolyline::desc());
    EXPECT_EQ(entity->objectId().handle(), handle);
    EXPECT_EQ(tools_test::layerOf(*entity), L"LOTS");
    EXPECT_EQ(entity->colorIndex(), 3);
    entity->close();
    EXPECT_TRUE(sameVertices(verticesOf(old), {{0, 0, 0}, {9, 0, 0}}));
    EXPECT_TRUE(sameVertices(verticesOf(light), {{0, 10, 0}, {8, 10, 0}}));
    EXPECT_EQ(modelSpace().size(), 2u);
}

// A spline-fitted old-style polyline in a drawing, as a DXF file holds one: the frame's control
// vertices first, then the vertices of the fitted curve. Only the curve's vertices (their positions,
// bulges and widths) become lightweight vertices, read through the drawing by vertex id.
TEST_F(Optimize, SplineFittedOldPolylineKeepsOnlyItsCurveVertices)
{
    auto* old = new AcDb2dPolyline();
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {10.0, 20.0}, {30.0, -20.0}, {40.0, 0.0}})
        old->appendVertex(vertexAt(x, y, 0.0, 0.0, 0.0, AcDb::k2dSplineCtlVertex));
    // Points of the fitted curve turning by far more than the direction tolerance at each vertex.
    const std::vector<Vertex> curve = {{0, 0, 0}, {6, 8, 0}, {14, 9, 0}, {20, 0, 0}, {28, -6, 0}, {34, -8, 0},
                                       {40, 0, 0}};
    for (const auto& [x, y, bulge] : curve)
        old->appendVertex(vertexAt(x, y, bulge, 0.25, 0.5, AcDb::k2dSplineFitVertex));
    const AcDbObjectId id = add(old);

    const std::string out = run("OPTIMIZEPOL\n0.05\n0.001\nALL\n\n");
    EXPECT_TRUE(has(out, "\rElément 1, 1 polylines converties, 0 sommets supprimés")) << out;
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->isA(), AcDbPolyline::desc());
    if (const AcDbPolyline* pline = AcDbPolyline::cast(entity)) {
        double start = 0.0, end = 0.0;
        EXPECT_EQ(pline->getWidthsAt(3, start, end), Acad::eOk);
        EXPECT_DOUBLE_EQ(start, 0.25);
        EXPECT_DOUBLE_EQ(end, 0.5);
    }
    entity->close();
    EXPECT_TRUE(sameVertices(verticesOf(id), curve));
}

// The control frame may also come between the curve's vertices: it is left out wherever it stands.
TEST(Polyline2dConversion, ControlVerticesAnywhereAreLeftOut)
{
    AcDb2dPolyline old;
    old.appendVertex(vertexAt(-5, -5, 0.0, 0.0, 0.0, AcDb::k2dSplineCtlVertex));
    old.appendVertex(vertexAt(0, 0, 0.0, 0.0, 0.0, AcDb::k2dSplineFitVertex));
    old.appendVertex(vertexAt(5, 15, 0.0, 0.0, 0.0, AcDb::k2dSplineCtlVertex));
    old.appendVertex(vertexAt(5, 5, 0.0, 0.0, 0.0, AcDb::k2dSplineFitVertex));
    old.appendVertex(vertexAt(10, 0, 0.0, 0.0, 0.0, AcDb::k2dSplineFitVertex));
    old.appendVertex(vertexAt(15, -5, 0.0, 0.0, 0.0, AcDb::k2dSplineCtlVertex));
    std::unique_ptr<AcDbPolyline> pline(kelvora::tools::lightweightFrom2dPolyline(&old));
    ASSERT_NE(pline, nullptr);
    EXPECT_TRUE(sameVertices(verticesOf(*pline), {{0, 0, 0}, {5, 5, 0}, {10, 0, 0}}));
}

struct MergeCase {
    const char* name;
    std::vector<Vertex> before;
    bool closed;
    std::vector<Vertex> after;
};

// Failures and test names show the row by its name.
void PrintTo(const MergeCase& row, std::ostream* os)
{
    *os << row.name;
}


class OptimizeMerge : public Optimize, public ::testing::WithParamInterface<MergeCase> {};

TEST_P(OptimizeMerge, MergesOnlyWithinTheTolerances)
{
    const MergeCase& c = GetParam();
    const AcDbObjectId id = addPolyline(c.before, c.closed);
    run("OPTIMIZEPOL\n0.05\n0.001\nALL\n\n");
    EXPECT_TRUE(sameVertices(verticesOf(id), c.after, 1e-9));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, OptimizeMerge,
    ::testing::Values(
        // A bend of 0.01 over 5 turns the direction by 0.002: under 0.05, it goes.
        MergeCase{"bend_below_the_direction_tolerance", {{0, 0, 0}, {5, 0.01, 0}, {10, 0, 0}}, false,
                  {{0, 0, 0}, {10, 0, 0}}},
        MergeCase{"bend_above_the_direction_tolerance", {{0, 0, 0}, {5, 1, 0}, {10, 0, 0}}, false,
                  {{0, 0, 0}, {5, 1, 0}, {10, 0, 0}}},
        // Vertex 0 stays even when it lies in the middle of a side.
        MergeCase{"closed_square_with_midpoints", {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}, {10, 5, 0}, {10, 10, 0},
                                                   {5, 10, 0}, {0, 10, 0}, {0, 5, 0}},
                  true, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}},
        // Two quarter circles of one circle, same sense: one half circle.
        MergeCase{"co_circular_arcs", {{0, 0, 0.41421356237309503}, {1, -1, 0.41421356237309503}, {2, 0, 0}}, false,
                  {{0, 0, 1}, {2, 0, 0}}}),
    [](const ::testing::TestParamInfo<MergeCase>& info) { return std::string(info.param.name); });

TEST_F(Optimize, SurfaceIsMergedInPlaceAndKeepsItsClass)
{
    NESurface::rxInit();
    acrxBuildClassHierarchy();
    auto* surface = new NESurface();
    const std::vector<Vertex> outline = {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    for (const auto& [x, y, bulge] : outline)
        surface->addVertexAt(surface->numVerts(), AcGePoint2d(x, y), bulge);
    surface->setClosed(Adesk::kTrue);
    const AcDbObjectId id = add(surface);
    const std::string out = run("OPTIMIZEPOL\n\n\nALL\n\n");
    EXPECT_TRUE(has(out, "\rElément 1, 0 polylines converties, 1 sommets supprimés")) << out;
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->isA(), NESurface::desc());
    entity->close();
    EXPECT_TRUE(sameVertices(verticesOf(id), {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}));
}

TEST_F(Optimize, TolerancesPersistAndEnterKeepsTheShownValues)
{
    run("OPTIMIZEPOL\n0.1\n0.01\n^C\n");
    const std::string out = run("OPTIMIZEPOL\n\n\n^C\n");
    EXPECT_TRUE(has(out, "\nTolérance sur les directions: <0.1000> \n")) << out;
    EXPECT_TRUE(has(out, "\nTolérance sur les distances: <0.0100> \n")) << out;
    EXPECT_DOUBLE_EQ(kelvora::tools::optimizeTolerances().direction, 0.1);
    EXPECT_DOUBLE_EQ(kelvora::tools::optimizeTolerances().distance, 0.01);
}

TEST_F(Optimize, CancelAtATolerancePromptChangesNothing)
{
    const AcDbObjectId id = addPolyline({{0, 0, 0}, {5, 0, 0}, {10, 0, 0}});
    std::string out = run("OPTIMIZEPOL\n^C\n");
    EXPECT_FALSE(has(out, "Selectionnez")) << out;
    out = run("OPTIMIZEPOL\n0.2\n^C\n");
    EXPECT_FALSE(has(out, "Selectionnez")) << out;
    EXPECT_TRUE(sameVertices(verticesOf(id), {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}}));
    // The direction answered before the cancel is kept.
    EXPECT_DOUBLE_EQ(kelvora::tools::optimizeTolerances().direction, 0.2);
    EXPECT_DOUBLE_EQ(kelvora::tools::optimizeTolerances().distance, OptimizeTolerances::kDefaultDistance);
}

TEST_F(Optimize, OtherEntitiesAreCountedAndLeft)
{
    add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const std::string out = run("OPTIMIZEPOL\n\n\nALL\n\n");
    EXPECT_TRUE(has(out, "\rElément 1, 0 polylines converties, 0 sommets supprimés")) << out;
    EXPECT_EQ(modelSpace().size(), 1u);
}

}  // namespace
