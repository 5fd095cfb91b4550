// Tests of MOVE, COPY, ROTATE, SCALE, EXPLODE and BLOCK: selections, locked layers, one undo step each.
#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <utility>

#include "command_session.h"
#include "dbents.h"
#include "dbpl.h"
#include "kelvora/undo.h"

namespace kelvora::test {
namespace {

AcDbObjectId addEntity(AcDbDatabase* db, AcDbEntity* entity, const wchar_t* layer = nullptr)
{
    if (layer != nullptr)
        entity->setLayer(layer);
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForWrite);
    AcDbObjectId id;
    if (space->appendAcDbEntity(id, entity) != Acad::eOk) {
        delete entity;
        return AcDbObjectId();
    }
    entity->close();
    return id;
}

AcDbObjectId addCircle(AcDbDatabase* db, double x, double y, double r, const wchar_t* layer = nullptr)
{
    return addEntity(db, new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis, r), layer);
}

// The polyline 0,0 -> 10,0 (bulge 0.5) -> 10,10.
AcDbObjectId addBulgedPline(AcDbDatabase* db)
{
    auto* pline = new AcDbPolyline();
    pline->addVertexAt(0, AcGePoint2d(0, 0), 0.0, 0, 0);
    pline->addVertexAt(1, AcGePoint2d(10, 0), 0.5, 0, 0);
    pline->addVertexAt(2, AcGePoint2d(10, 10), 0.0, 0, 0);
    return addEntity(db, pline);
}

// Layer `name`, locked when asked.
void addLayer(AcDbDatabase* db, const wchar_t* name, bool locked)
{
    AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForWrite);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    layer->setIsLocked(locked);
    if (table->add(layer) == Acad::eOk)
        layer->close();
    else
        delete layer;
}

AcGePoint3d centerOf(AcDbObjectId id)
{
    AcDbObjectPointer<AcDbCircle> circle(id, AcDb::kForRead);
    return circle.openStatus() == Acad::eOk ? circle->center() : AcGePoint3d(1e300, 1e300, 0);
}

struct CircleState {
    double x, y, r;
};

std::vector<CircleState> circlesOf(const CommandSession& session)
{
    std::vector<CircleState> out;
    for (AcDbObjectId id : session.modelSpaceOf<AcDbCircle>()) {
        AcDbObjectPointer<AcDbCircle> circle(id, AcDb::kForRead);
        out.push_back({circle->center().x, circle->center().y, circle->radius()});
    }
    std::sort(out.begin(), out.end(), [](const CircleState& a, const CircleState& b) { return a.x < b.x; });
    return out;
}

// ----- Transforms --------------------------------------------------------------------------------

struct TransformCase {
    const char* name;
    const wchar_t* command;
    const char* script;  // after the selection "ALL" and its empty line
    CircleState after;
};

class TransformCommand : public ::testing::TestWithParam<TransformCase> {};

TEST_P(TransformCommand, ChangesTheSelectedCircle)
{
    const TransformCase& c = GetParam();
    CommandSession session(std::string("ALL\n\n") + c.script);
    addCircle(session.db(), 10, 10, 2);
    session.run(c.command);
    std::vector<CircleState> circles = circlesOf(session);
    ASSERT_EQ(circles.size(), 1u) << session.out();
    EXPECT_NEAR(circles[0].x, c.after.x, kCoordTolerance);
    EXPECT_NEAR(circles[0].y, c.after.y, kCoordTolerance);
    EXPECT_NEAR(circles[0].r, c.after.r, kCoordTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TransformCommand,
    ::testing::Values(TransformCase{"move_by_two_points", L"MOVE", "0,0\n100,0\n", {110, 10, 2}},
                      TransformCase{"move_enter_takes_the_base_as_displacement", L"MOVE", "5,-5\n\n",
                                    {15, 5, 2}},
                      TransformCase{"rotate_a_quarter_about_the_origin", L"ROTATE", "0,0\n90\n",
                                    {-10, 10, 2}},
                      TransformCase{"rotate_by_a_point", L"ROTATE", "10,0\n10,5\n", {0, 0, 2}},
                      TransformCase{"scale_about_the_origin", L"SCALE", "0,0\n3\n", {30, 30, 6}},
                      TransformCase{"scale_about_the_centre_keeps_it", L"SCALE", "10,10\n0.5\n",
                                    {10, 10, 1}}),
    [](const ::testing::TestParamInfo<TransformCase>& info) { return std::string(info.param.name); });

TEST(MoveCommand, LeavesTheEntitiesOfALockedLayerAndSaysHowMany)
{
    CommandSession session("ALL\n\n0,0\n100,0\n");
    addLayer(session.db(), L"FIXE", true);
    AcDbObjectId fixed = addCircle(session.db(), 10, 10, 2, L"FIXE");
    AcDbObjectId free = addCircle(session.db(), 30, 10, 2);
    session.run(L"MOVE");
    expectPoint(centerOf(fixed), 10, 10);
    expectPoint(centerOf(free), 130, 10);
    EXPECT_NE(session.out().find("\n1 was on a locked layer."), std::string::npos) << session.out();
}

TEST(MoveCommand, OnlyLockedEntitiesEndTheCommandBeforeTheBasePoint)
{
    CommandSession session("ALL\n\n0,0\n");
    addLayer(session.db(), L"FIXE", true);
    addCircle(session.db(), 10, 10, 2, L"FIXE");
    session.run(L"MOVE");
    EXPECT_EQ(session.out().find("base point"), std::string::npos) << session.out();
}

TEST(MoveCommand, IsOneUndoStep)
{
    CommandSession session("ALL\n\n0,0\n5,0\n");
    AcDbObjectId a = addCircle(session.db(), 10, 10, 1);
    AcDbObjectId b = addCircle(session.db(), 20, 20, 1);
    session.run(L"MOVE");
    ASSERT_EQ(undo(1, session.db()), 1);
    expectPoint(centerOf(a), 10, 10);
    expectPoint(centerOf(b), 20, 20);
}

// ----- COPY --------------------------------------------------------------------------------------

TEST(CopyCommand, MakesOneCopyWithTheBulgesThroughItsFiling)
{
    CommandSession session("L\n\n0,0\n20,5\n");
    AcDbObjectId original = addBulgedPline(session.db());
    session.run(L"COPY");
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDbPolyline>();
    ASSERT_EQ(ids.size(), 2u) << session.out();
    AcDbObjectId copy = ids[0] == original ? ids[1] : ids[0];
    AcDbObjectPointer<AcDbPolyline> pline(copy, AcDb::kForRead);
    ASSERT_EQ(pline->numVerts(), 3u);
    AcGePoint2d pt;
    double bulge = 0;
    pline->getPointAt(1, pt);
    pline->getBulgeAt(1, bulge);
    EXPECT_NEAR(pt.x, 30, kCoordTolerance);
    EXPECT_NEAR(pt.y, 5, kCoordTolerance);
    EXPECT_NEAR(bulge, 0.5, kCoordTolerance);
    // The original did not move.
    AcDbObjectPointer<AcDbPolyline> first(original, AcDb::kForRead);
    first->getPointAt(1, pt);
    EXPECT_NEAR(pt.x, 10, kCoordTolerance);
}

TEST(CopyCommand, TheCopyKeepsTheLayer)
{
    CommandSession session("ALL\n\n0,0\n5,5\n");
    addLayer(session.db(), L"ARBRES", false);
    addCircle(session.db(), 0, 0, 1, L"ARBRES");
    session.run(L"COPY");
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDbCircle>();
    ASSERT_EQ(ids.size(), 2u);
    AcDbObjectPointer<AcDbCircle> copy(ids[1], AcDb::kForRead);
    EXPECT_EQ(layerNameOf(*copy), L"ARBRES");
    expectPoint(copy->center(), 5, 5);
}

// ----- STRETCH -----------------------------------------------------------------------------------

std::vector<AcGePoint2d> plineVertices(AcDbObjectId id)
{
    std::vector<AcGePoint2d> out;
    AcDbObjectPointer<AcDbPolyline> pline(id, AcDb::kForRead);
    for (unsigned int i = 0; pline.openStatus() == Acad::eOk && i < pline->numVerts(); ++i) {
        AcGePoint2d pt;
        pline->getPointAt(i, pt);
        out.push_back(pt);
    }
    return out;
}

std::pair<AcGePoint3d, AcGePoint3d> endsOf(AcDbObjectId id)
{
    AcDbObjectPointer<AcDbLine> line(id, AcDb::kForRead);
    return {line->startPoint(), line->endPoint()};
}

TEST(StretchCommand, MovesOnlyThePointsInsideTheCrossingWindow)
{
    CommandSession session("C 8,-1 12,11\n\n0,0\n5,0\n");
    auto* square = new AcDbPolyline();
    const double corners[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (unsigned int i = 0; i < 4; ++i)
        square->addVertexAt(i, AcGePoint2d(corners[i][0], corners[i][1]), 0.0, 0, 0);
    square->setClosed(Adesk::kTrue);
    AcDbObjectId squareId = addEntity(session.db(), square);
    AcDbObjectId crossing = addEntity(session.db(), new AcDbLine(AcGePoint3d(11, 5, 0), AcGePoint3d(30, 5, 0)));
    AcDbObjectId inside = addEntity(session.db(), new AcDbLine(AcGePoint3d(9, 3, 0), AcGePoint3d(11, 3, 0)));
    AcDbObjectId outside = addCircle(session.db(), 50, 50, 1);
    session.run(L"STRETCH");

    std::vector<AcGePoint2d> vertices = plineVertices(squareId);
    ASSERT_EQ(vertices.size(), 4u) << session.out();
    const double want[4][2] = {{0, 0}, {15, 0}, {15, 10}, {0, 10}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(vertices[i].x, want[i][0], kCoordTolerance) << "vertex " << i;
        EXPECT_NEAR(vertices[i].y, want[i][1], kCoordTolerance) << "vertex " << i;
    }
    expectPoint(endsOf(crossing).first, 16, 5);
    expectPoint(endsOf(crossing).second, 30, 5);
    expectPoint(endsOf(inside).first, 14, 3);
    expectPoint(endsOf(inside).second, 16, 3);
    expectPoint(centerOf(outside), 50, 50);
}

TEST(StretchCommand, AWindowAskedCornerByCornerCountsToo)
{
    CommandSession session("C\n8,-1\n12,11\n\n0,0\n5,0\n");
    AcDbObjectId line = addEntity(session.db(), new AcDbLine(AcGePoint3d(11, 5, 0), AcGePoint3d(30, 5, 0)));
    session.run(L"STRETCH");
    expectPoint(endsOf(line).first, 16, 5);
    expectPoint(endsOf(line).second, 30, 5);
}

TEST(StretchCommand, APickWithoutAWindowStretchesNothing)
{
    CommandSession session("L\n\n");
    AcDbObjectId line = addEntity(session.db(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    session.run(L"STRETCH");
    expectPoint(endsOf(line).first, 0, 0);
    EXPECT_NE(session.out().find("crossing window"), std::string::npos) << session.out();
}

TEST(StretchCommand, LeavesTheEntitiesOfALockedLayer)
{
    CommandSession session("C -1,-1 1,1\n\n0,0\n5,0\n");
    addLayer(session.db(), L"FIXE", true);
    AcDbObjectId fixed = addEntity(session.db(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)), L"FIXE");
    session.run(L"STRETCH");
    expectPoint(endsOf(fixed).first, 0, 0);
    EXPECT_NE(session.out().find("\n1 was on a locked layer."), std::string::npos) << session.out();
}

// ----- EXPLODE -----------------------------------------------------------------------------------

TEST(ExplodeCommand, TurnsAPolylineIntoItsLinesAndArcs)
{
    CommandSession session("L\n\n");
    addBulgedPline(session.db());
    session.run(L"EXPLODE");
    EXPECT_TRUE(session.modelSpaceOf<AcDbPolyline>().empty());
    EXPECT_EQ(session.modelSpaceOf<AcDbLine>().size(), 1u);
    std::vector<AcDbObjectId> arcs = session.modelSpaceOf<AcDbArc>();
    ASSERT_EQ(arcs.size(), 1u);
    AcDbObjectPointer<AcDbArc> arc(arcs[0], AcDb::kForRead);
    AcGePoint3d start, end;
    arc->getStartPoint(start);
    arc->getEndPoint(end);
    // The bulge 0.5 of 10,0 -> 10,10 turns left: a counter-clockwise arc from that vertex.
    expectPoint(start, 10, 0);
    expectPoint(end, 10, 10);
}

TEST(ExplodeCommand, SaysWhatCannotBeExploded)
{
    CommandSession session("ALL\n\n");
    addCircle(session.db(), 0, 0, 1);
    session.run(L"EXPLODE");
    EXPECT_EQ(session.modelSpaceOf<AcDbCircle>().size(), 1u);
    EXPECT_NE(session.out().find("\n1 could not be exploded."), std::string::npos) << session.out();
}

// ----- BLOCK -------------------------------------------------------------------------------------

TEST(BlockCommand, TakesTheEntitiesOutOfModelSpaceIntoTheDefinition)
{
    CommandSession session("ARBRE\n50,50\nALL\n\n");
    addCircle(session.db(), 50, 50, 2);
    addEntity(session.db(), new AcDbLine(AcGePoint3d(48, 50, 0), AcGePoint3d(52, 50, 0)));
    session.run(L"BLOCK");
    EXPECT_TRUE(session.modelSpace().empty()) << session.out();
    AcDbObjectPointer<AcDbBlockTable> table(session.db()->blockTableId(), AcDb::kForRead);
    AcDbObjectId blockId;
    ASSERT_EQ(table->getAt(L"ARBRE", blockId), Acad::eOk);
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    expectPoint(block->origin(), 50, 50);
    int circles = 0, lines = 0;
    for (AcDbObjectId id : block->entityIds()) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk)
            continue;
        circles += AcDbCircle::cast(entity.object()) != nullptr ? 1 : 0;
        lines += AcDbLine::cast(entity.object()) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(circles, 1);
    EXPECT_EQ(lines, 1);
}

TEST(BlockCommand, RedefiningAsksFirst)
{
    CommandSession session("A\n0,0\nALL\n\nA\nN\n");
    addCircle(session.db(), 1, 1, 1);
    session.run(L"BLOCK");
    addCircle(session.db(), 5, 5, 1);
    session.run(L"BLOCK");
    EXPECT_NE(session.out().find("already exists. Redefine it?"), std::string::npos) << session.out();
    EXPECT_EQ(session.modelSpace().size(), 1u);
}

TEST(BlockCommand, ARedefinitionCannotContainItself)
{
    CommandSession session("A\n0,0\nALL\n\nA\nY\n0,0\nALL\n\n");
    addCircle(session.db(), 1, 1, 1);
    session.run(L"BLOCK");
    AcDbObjectId blockId;
    {
        AcDbObjectPointer<AcDbBlockTable> table(session.db()->blockTableId(), AcDb::kForRead);
        ASSERT_EQ(table->getAt(L"A", blockId), Acad::eOk);
    }
    addEntity(session.db(), new AcDbBlockReference(AcGePoint3d(5, 5, 0), blockId));
    session.run(L"BLOCK");
    EXPECT_NE(session.out().find("would contain itself"), std::string::npos) << session.out();
    EXPECT_EQ(session.modelSpaceOf<AcDbBlockReference>().size(), 1u);
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    int live = 0;
    for (AcDbObjectId id : block->entityIds())
        live += id.isErased() ? 0 : 1;
    EXPECT_EQ(live, 1);
}

TEST(BlockCommand, ACancelledSelectionMakesNoBlock)
{
    CommandSession session("A\n0,0\n^C\n");
    addCircle(session.db(), 1, 1, 1);
    session.run(L"BLOCK");
    AcDbObjectPointer<AcDbBlockTable> table(session.db()->blockTableId(), AcDb::kForRead);
    EXPECT_FALSE(table->has(L"A"));
    EXPECT_EQ(session.modelSpace().size(), 1u);
}

TEST(BlockCommand, IsOneUndoStep)
{
    CommandSession session("ARBRE\n0,0\nALL\n\n");
    addCircle(session.db(), 1, 1, 1);
    session.run(L"BLOCK");
    ASSERT_TRUE(session.modelSpace().empty());
    ASSERT_EQ(undo(1, session.db()), 1);
    EXPECT_EQ(session.modelSpace().size(), 1u);
    AcDbObjectPointer<AcDbBlockTable> table(session.db()->blockTableId(), AcDb::kForRead);
    EXPECT_FALSE(table->has(L"ARBRE"));
}

}  // namespace
}  // namespace kelvora::test
