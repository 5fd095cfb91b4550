// INVERSERPOLYLINE, ENLEVERARC, METTREUNARC and SUPPSOMMET run on drawings as a user runs them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "surfaces/ne_surface.h"
#include "tools_drawing.h"

namespace {

using tools_test::sameVertices;
using tools_test::ToolsDrawing;
using tools_test::Vertex;

bool has(const std::string& out, const std::string& text)
{
    return out.find(text) != std::string::npos;
}

// ---- reversal

class Reversal : public ToolsDrawing {};

TEST_F(Reversal, BulgesAreNegatedAndMoveWithTheirSegments)
{
    const AcDbObjectId id = addPolyline({{0, 0, 0.5}, {10, 0, -0.25}, {10, 10, 0.3}}, true);
    run("INVERSERPOLYLINE\n" + pickOf(id) + "\n");
    EXPECT_TRUE(sameVertices(verticesOf(id), {{10, 10, 0.25}, {10, 0, -0.5}, {0, 0, -0.3}}));
    // Twice gives the polyline back.
    run("INVERSERPOLYLINE\n" + pickOf(id) + "\n");
    EXPECT_TRUE(sameVertices(verticesOf(id), {{0, 0, 0.5}, {10, 0, -0.25}, {10, 10, 0.3}}));
}

TEST_F(Reversal, WidthsAreSwappedAlongTheirSegments)
{
    auto* pline = new AcDbPolyline();
    pline->addVertexAt(0, AcGePoint2d(0, 30), 0.0, 0.1, 0.2);
    pline->addVertexAt(1, AcGePoint2d(10, 30), 0.0, 0.3, 0.4);
    pline->addVertexAt(2, AcGePoint2d(20, 30), 0.0, 0.0, 0.0);
    const AcDbObjectId id = add(pline);
    run("INVERSERPOLYLINE\n15,30\n");
    AcDbPolyline* reversed = nullptr;
    ASSERT_EQ(acdbOpenObject(reversed, id, AcDb::kForRead), Acad::eOk);
    double start = 0.0, end = 0.0;
    reversed->getWidthsAt(0, start, end);
    EXPECT_DOUBLE_EQ(start, 0.4);
    EXPECT_DOUBLE_EQ(end, 0.3);
    reversed->getWidthsAt(1, start, end);
    EXPECT_DOUBLE_EQ(start, 0.2);
    EXPECT_DOUBLE_EQ(end, 0.1);
    reversed->close();
    EXPECT_TRUE(sameVertices(verticesOf(id), {{20, 30, 0}, {10, 30, 0}, {0, 30, 0}}));
}

TEST_F(Reversal, LineIsLeftAloneWithoutAMessage)
{
    const AcDbObjectId id = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const std::string out = run("INVERSERPOLYLINE\n5,0\n");
    // The prompt, the answer and straight back to the command prompt.
    EXPECT_TRUE(has(out, "INVERSERPOLYLINE\n\nPolyline à inverser:5,0\n\nCommand: ")) << out;
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(line->startPoint().isEqualTo(AcGePoint3d(0, 0, 0)));
    line->close();
}

// ---- arcs on and off

struct ArcCase {
    const char* name;
    const char* command;
    std::vector<Vertex> before;
    bool closed;
    const char* pick;
    std::vector<Vertex> after;
};

// Failures and test names show the row by its name.
void PrintTo(const ArcCase& row, std::ostream* os)
{
    *os << row.name;
}


class ArcEdit : public ToolsDrawing, public ::testing::WithParamInterface<ArcCase> {};

TEST_P(ArcEdit, SetsTheBulgeOfThePickedSegment)
{
    const ArcCase& c = GetParam();
    const AcDbObjectId id = addPolyline(c.before, c.closed);
    const std::string out = run(std::string(c.command) + "\n" + c.pick + "\n");
    EXPECT_TRUE(has(out, std::string("\nArc à annuler:") + c.pick + "\n")) << out;
    EXPECT_TRUE(sameVertices(verticesOf(id), c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Segments, ArcEdit,
    ::testing::Values(
        ArcCase{"half_circle_on_a_line", "METTREUNARC", {{0, 0, 0}, {2, 0, 0}}, false, "1,0", {{0, 0, 1}, {2, 0, 0}}},
        ArcCase{"half_circle_on_the_closing_segment", "METTREUNARC", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}},
                true, "0,5", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 1}}},
        // An arc bulging up to (5, 2.5) becomes the half circle below its chord.
        ArcCase{"half_circle_replaces_an_arc", "METTREUNARC", {{0, 0, -0.5}, {10, 0, 0}}, false, "5,2.5",
                {{0, 0, 1}, {10, 0, 0}}},
        ArcCase{"arc_straightened", "ENLEVERARC", {{0, 0, 0}, {20, 0, 1}, {20, 10, 0}, {0, 10, 0}}, true, "25,5",
                {{0, 0, 0}, {20, 0, 0}, {20, 10, 0}, {0, 10, 0}}},
        ArcCase{"shared_vertex_straightens_the_lower_arc", "ENLEVERARC", {{0, 0, 1}, {2, 0, 1}, {4, 0, 0}}, false,
                "2,0", {{0, 0, 0}, {2, 0, 1}, {4, 0, 0}}},
        ArcCase{"straight_segment_stays_straight", "ENLEVERARC", {{0, 0, 0}, {10, 0, 0.5}, {20, 0, 0}}, false,
                "5,0", {{0, 0, 0}, {10, 0, 0.5}, {20, 0, 0}}}),
    [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

class ArcEditCommand : public ToolsDrawing {};

TEST_F(ArcEditCommand, HalfCirclePassesOnTheRightOfTheDirectionOfTravel)
{
    const AcDbObjectId id = addPolyline({{0, 0, 0}, {2, 0, 0}});
    run("METTREUNARC\n1,0\n");
    AcDbPolyline* pline = nullptr;
    ASSERT_EQ(acdbOpenObject(pline, id, AcDb::kForRead), Acad::eOk);
    AcGePoint3d middle;
    EXPECT_EQ(pline->getPointAtParam(0.5, middle), Acad::eOk);
    pline->close();
    EXPECT_LT(middle.distanceTo(AcGePoint3d(1, -1, 0)), 1e-9);
}

TEST_F(ArcEditCommand, PickInsideABlockIsRefused)
{
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db()->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord();
    record->setName(L"BORNE");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, record), Acad::eOk);
    AcDbPolyline* inside = tools_test::makePolyline({{0, 0, 1}, {10, 0, 0}});
    record->appendAcDbEntity(inside);
    inside->close();
    record->close();
    table->close();
    add(new AcDbBlockReference(AcGePoint3d(100, 100, 0), blockId));

    const std::string out = run("ENLEVERARC\n105,95\n");
    EXPECT_TRUE(has(out, "\nCeci fait partie d'un block")) << out;
    AcDbPolyline* pline = nullptr;
    ASSERT_EQ(acdbOpenObject(pline, inside->objectId(), AcDb::kForRead), Acad::eOk);
    double bulge = 0.0;
    pline->getBulgeAt(0, bulge);
    pline->close();
    EXPECT_DOUBLE_EQ(bulge, 1.0);
}

class OldPolylineArc : public ToolsDrawing {
protected:
    AcDbObjectId addOld(AcDb::Vertex2dType type, double bulge)
    {
        auto* pline = new AcDb2dPolyline();
        auto* first = new AcDb2dVertex(AcGePoint3d(0, 0, 0), bulge);
        first->setVertexType(type);
        pline->appendVertex(first);
        pline->appendVertex(new AcDb2dVertex(AcGePoint3d(10, 0, 0)));
        pline->appendVertex(new AcDb2dVertex(AcGePoint3d(10, 10, 0)));
        add(pline);
        return first->objectId();
    }

    double bulgeOf(AcDbObjectId vertexId)
    {
        AcDb2dVertex* vertex = nullptr;
        EXPECT_EQ(acdbOpenObject(vertex, vertexId, AcDb::kForRead), Acad::eOk);
        if (vertex == nullptr)
            return -99.0;
        const double bulge = vertex->bulge();
        vertex->close();
        return bulge;
    }
};

TEST_F(OldPolylineArc, SimpleVertexTakesTheBulge)
{
    const AcDbObjectId vertex = addOld(AcDb::k2dVertex, 0.0);
    run("METTREUNARC\n5,0\n");
    EXPECT_DOUBLE_EQ(bulgeOf(vertex), 1.0);
    // The half circle now runs below (0,0)-(10,0) down to y = -5.
    run("ENLEVERARC\n5,-5\n");
    EXPECT_DOUBLE_EQ(bulgeOf(vertex), 0.0);
}

TEST_F(OldPolylineArc, FittedVertexIsRefusedWithEachCommandsMessage)
{
    const AcDbObjectId vertex = addOld(AcDb::k2dCurveFitVertex, 0.0);
    std::string out = run("METTREUNARC\n5,0\n");
    EXPECT_TRUE(has(out, "\nErreur.")) << out;
    EXPECT_DOUBLE_EQ(bulgeOf(vertex), 0.0);
    out = run("ENLEVERARC\n5,0\n");
    EXPECT_TRUE(has(out, "\nCet arc ne peut être annulé.")) << out;
}

// ---- vertex deletion

struct DeletionCase {
    const char* name;
    std::vector<Vertex> before;
    bool closed;
    const char* pick;
    std::vector<Vertex> after;
};

// Failures and test names show the row by its name.
void PrintTo(const DeletionCase& row, std::ostream* os)
{
    *os << row.name;
}


class VertexDeletion : public ToolsDrawing, public ::testing::WithParamInterface<DeletionCase> {};

TEST_P(VertexDeletion, RemovesTheVertexNearestThePick)
{
    const DeletionCase& c = GetParam();
    const AcDbObjectId id = addPolyline(c.before, c.closed);
    std::string pick = c.pick;
    if (pick.front() == '@')
        pick = pickOf(id) + pick;
    run("SUPPSOMMET\n" + pick + "\n");
    EXPECT_TRUE(sameVertices(verticesOf(id), c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Picks, VertexDeletion,
    ::testing::Values(
        DeletionCase{"triangle_second_vertex", {{10, 10, 0}, {20, 10, 0}, {15, 18, 0}}, true, "20,10",
                     {{10, 10, 0}, {15, 18, 0}}},
        DeletionCase{"closed_first_vertex", {{10, 10, 0}, {20, 10, 0}, {15, 18, 0}}, true, "10,10",
                     {{20, 10, 0}, {15, 18, 0}}},
        DeletionCase{"open_first_vertex", {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}}, false, "1,0",
                     {{10, 0, 0}, {20, 0, 0}}},
        DeletionCase{"open_last_vertex", {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}}, false, "19,0",
                     {{0, 0, 0}, {10, 0, 0}}},
        // The bulge of the vertex that goes goes with it.
        DeletionCase{"middle_vertex_with_its_bulge", {{0, 0, 0.5}, {10, 0, 0.25}, {20, 0, 0}, {30, 0, 0}}, false,
                     "11,0", {{0, 0, 0.5}, {20, 0, 0}, {30, 0, 0}}},
        // (10, 5) is 5 from vertices 1 and 3 and farther from the others: the lower index goes.
        DeletionCase{"tie_goes_to_the_lower_index", {{0, 0, 0}, {10, 0, 0}, {20, 5, 0}, {10, 10, 0}}, false,
                     "@10,5", {{0, 0, 0}, {20, 5, 0}, {10, 10, 0}}}),
    [](const ::testing::TestParamInfo<DeletionCase>& info) { return std::string(info.param.name); });

class VertexDeletionCommand : public ToolsDrawing {};

TEST_F(VertexDeletionCommand, RefusesATwoVertexPolylineAndALine)
{
    const AcDbObjectId id = addPolyline({{10, 10, 0}, {20, 10, 0}});
    add(new AcDbLine(AcGePoint3d(10, 20, 0), AcGePoint3d(20, 20, 0)));
    const std::string out = run("SUPPSOMMET\n15,10\nSUPPSOMMET\n15,20\n");
    EXPECT_TRUE(has(out, "\nSommet à supprimer15,10\n\nRien a supprimer dans cette polyline")) << out;
    EXPECT_TRUE(has(out, "\nSommet à supprimer15,20\n\nCe n'est pas une polyline")) << out;
    EXPECT_TRUE(sameVertices(verticesOf(id), {{10, 10, 0}, {20, 10, 0}}));
    EXPECT_EQ(modelSpace().size(), 2u);
}

TEST_F(VertexDeletionCommand, EmptyPickEndsSilently)
{
    addPolyline({{10, 10, 0}, {20, 10, 0}, {15, 18, 0}});
    const std::string out = run("SUPPSOMMET\n100,100\n");
    EXPECT_FALSE(has(out, "polyline")) << out;
    EXPECT_FALSE(has(out, "Aucune")) << out;
}

TEST_F(VertexDeletionCommand, OneUndoTakesItBack)
{
    const AcDbObjectId id = addPolyline({{10, 10, 0}, {20, 10, 0}, {15, 18, 0}}, true);
    run("SUPPSOMMET\n20,10\n");
    ASSERT_TRUE(sameVertices(verticesOf(id), {{10, 10, 0}, {15, 18, 0}}));
    run("U\n");
    EXPECT_TRUE(sameVertices(verticesOf(id), {{10, 10, 0}, {20, 10, 0}, {15, 18, 0}}));
}

TEST_F(VertexDeletionCommand, SurfaceLosesAVertexAndStaysASurface)
{
    NESurface::rxInit();
    acrxBuildClassHierarchy();
    auto* surface = new NESurface();
    surface->addVertexAt(0, AcGePoint2d(10, 10));
    surface->addVertexAt(1, AcGePoint2d(20, 10));
    surface->addVertexAt(2, AcGePoint2d(20, 20));
    surface->addVertexAt(3, AcGePoint2d(10, 20));
    surface->setClosed(Adesk::kTrue);
    const AcDbObjectId id = add(surface);
    run("SUPPSOMMET\n" + pickOf(id) + "@19,19\nINVERSERPOLYLINE\n" + pickOf(id) + "\n");
    EXPECT_TRUE(sameVertices(verticesOf(id), {{10, 20, 0}, {20, 10, 0}, {10, 10, 0}}));
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->isA(), NESurface::desc());
    entity->close();
}

}  // namespace
