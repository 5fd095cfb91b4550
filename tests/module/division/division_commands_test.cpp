// The four commands driven through the command line: identities kept, parts added, refusals that change nothing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dbents.h"
#include "dbhelpers/model_space.h"
#include "dbsymtb.h"
#include "division/division_commands.h"
#include "kelvora/editor_session.h"
#include "module/division/division_fixture.h"

namespace {

using division_test::areaOf;
using division_test::makeSurface;
using division_test::Pt;
using division_test::samePoints;
using namespace kelvora::division;

struct Found {
    AcDbObjectId id;
    double area = 0.0;
    std::wstring lot;
    Adesk::UInt16 flags = 0;
    std::vector<Pt> points;
};

class DivisionCommand : public division_test::DivisionTest {
protected:
    // A session around the drawing, as the program has: picks find what it displays, and it
    // forgets this drawing's entities when the test ends.
    void SetUp() override
    {
        DivisionTest::SetUp();
        m_session = std::make_unique<kelvora::EditorSession>(*m_db, kelvora::SessionDrawing{});
    }
    void TearDown() override
    {
        m_session.reset();
        DivisionTest::TearDown();
    }

    // Adds the entity to model space and answers the "#HANDLE" that picks it.
    std::string add(AcDbEntity* entity, AcDbObjectId* idOut = nullptr)
    {
        AcDbObjectId id;
        EXPECT_EQ(appendToModelSpace(entity, id), Acad::eOk);
        if (idOut != nullptr)
            *idOut = id;
        char handle[32] = {};
        id.handle().getIntoAsciiBuffer(handle, sizeof handle);
        return std::string("#") + handle;
    }
    std::string addSurface(const std::vector<Pt>& outline, const wchar_t* lot, AcDbObjectId* idOut = nullptr)
    {
        std::unique_ptr<NESurface> surface = makeSurface(outline);
        surface->setLabelString(NESurface::kLotText, lot);
        return add(surface.release(), idOut);
    }
    template <typename T>
    std::vector<T> entitiesOf(const std::function<void(AcDbEntity*, std::vector<T>&)>& take)
    {
        std::vector<T> found;
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(m_db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead), Acad::eOk);
        table->close();
        AcDbBlockTableRecordIterator* it = nullptr;
        space->newIterator(it);
        for (; !it->done(); it->step()) {
            AcDbEntity* entity = nullptr;
            if (it->getEntity(entity, AcDb::kForRead) != Acad::eOk)
                continue;
            take(entity, found);
            entity->close();
        }
        delete it;
        space->close();
        return found;
    }
    std::vector<Found> surfaces()
    {
        return entitiesOf<Found>([](AcDbEntity* entity, std::vector<Found>& out) {
            if (auto* s = NESurface::cast(entity))
                out.push_back({s->objectId(), areaOf(*s), s->getLabelString(NESurface::kLotText), s->labelFlags(),
                               division_test::pointsOf(*s)});
        });
    }
    std::vector<AcGePoint3d> points()
    {
        return entitiesOf<AcGePoint3d>([](AcDbEntity* entity, std::vector<AcGePoint3d>& out) {
            if (auto* p = AcDbPoint::cast(entity))
                out.push_back(p->position());
        });
    }

    std::unique_ptr<kelvora::EditorSession> m_session;
};

const std::vector<Pt> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST_F(DivisionCommand, AreaFindSeriesKeepsTheIdentityForTheRemainder)
{
    AcDbObjectId id;
    const std::string pick = addSurface(kSquare, L"Lot 7", &id);
    useScript(pick + "\n0,0\n=30\n");
    commandAreaFind();
    const std::vector<Found> found = surfaces();
    ASSERT_EQ(found.size(), 4u);
    double total = 0.0;
    for (const Found& f : found) {
        total += f.area;
        EXPECT_EQ(f.lot, L"Lot 7") << "parts are not renumbered";
        EXPECT_NEAR(f.area, f.id == id ? 10.0 : 30.0, 1e-7);
    }
    EXPECT_NEAR(total, 100.0, 1e-7);
}

TEST_F(DivisionCommand, AreaFindWithARepeatedAreaNotBelowTheWholeChangesNothing)
{
    const std::string pick = addSurface(kSquare, L"Lot 7");
    useScript(pick + "\n0,0\n=150\n");
    commandAreaFind();
    EXPECT_NE(out().find("\nEchec !"), std::string::npos);
    const std::vector<Found> found = surfaces();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(samePoints(*makeSurface(found[0].points), kSquare));
}

TEST_F(DivisionCommand, AreaFindRefusesAPlainPolyline)
{
    auto* pline = new AcDbPolyline();
    for (const Pt& p : kSquare)
        pline->addVertexAt(pline->numVerts(), AcGePoint2d(p.x, p.y));
    pline->setClosed(Adesk::kTrue);
    useScript(add(pline) + "\n");
    commandAreaFind();
    EXPECT_NE(out().find("\nCe n'est pas une surface"), std::string::npos);
    EXPECT_TRUE(surfaces().empty());
}

TEST_F(DivisionCommand, AreaFindCancelledAtTheAreaChangesNothing)
{
    const std::string pick = addSurface(kSquare, L"Lot 7");
    useScript(pick + "\n5,5\n45\n^C\n");
    commandAreaFind();
    ASSERT_EQ(surfaces().size(), 1u);
}

TEST_F(DivisionCommand, DirectionAreaFindRepeatedStrips)
{
    AcDbObjectId id;
    const std::string pick = addSurface({{0, 0}, {10, 0}, {10, 4}, {0, 4}}, L"A", &id);
    useScript(pick + "\n0\n=10\n");
    commandDirectionAreaFind();
    const std::vector<Found> found = surfaces();
    ASSERT_EQ(found.size(), 4u);
    for (const Found& f : found) {
        EXPECT_NEAR(f.area, 10.0, 1e-7);
        if (f.id == id) {
            EXPECT_TRUE(samePoints(*makeSurface(f.points), {{0, 0}, {10, 0}, {10, 1}, {0, 1}}));
        }
    }
}

TEST_F(DivisionCommand, SpolyIntersReplacesTheSurfaceByTwoNumberedParts)
{
    AcDbObjectId id;
    std::unique_ptr<NESurface> surface = makeSurface(kSquare);
    surface->setLabelString(NESurface::kLotText, L"12");
    surface->setLabelFlags(NESurface::kShowLot | NESurface::kShowPerimeter);
    const std::string pick = add(surface.release(), &id);
    const std::string cutter = add(new AcDbLine(AcGePoint3d(4, -5, 0), AcGePoint3d(4, 15, 0)));
    useScript(pick + "\n" + cutter + "\n");
    commandSpolyInters();
    const std::vector<Found> found = surfaces();
    ASSERT_EQ(found.size(), 2u);
    std::vector<std::wstring> lots;
    for (const Found& f : found) {
        EXPECT_NE(f.id, id);
        EXPECT_EQ(f.flags, NESurface::kShowLot | NESurface::kShowPerimeter) << "label settings restored and copied";
        lots.push_back(f.lot);
    }
    EXPECT_EQ(lots, (std::vector<std::wstring>{L"12.1", L"12.2"}));
}

TEST_F(DivisionCommand, SpolyIntersWithOneCrossingKeepsTheSurface)
{
    AcDbObjectId id;
    const std::string pick = addSurface(kSquare, L"12", &id);
    const std::string cutter = add(new AcDbLine(AcGePoint3d(10, 8, 0), AcGePoint3d(25, 8, 0)));
    useScript(pick + "\n" + cutter + "\n");
    commandSpolyInters();
    EXPECT_NE(out().find("\nEchec: trop d'intersections"), std::string::npos);
    const std::vector<Found> found = surfaces();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].id, id);
    EXPECT_EQ(found[0].flags, NESurface::kDefaultLabelFlags);
}

TEST_F(DivisionCommand, PoldivPicksInEitherOrderOnAnOpenPolyline)
{
    auto* line = new AcDbPolyline();
    line->addVertexAt(0, AcGePoint2d(0, 0));
    line->addVertexAt(1, AcGePoint2d(100, 0));
    useScript(add(line) + "\n90,1\n10,-1\n/4\n");
    commandPoldiv();
    const std::vector<AcGePoint3d> got = points();
    ASSERT_EQ(got.size(), 5u);
    for (size_t k = 0; k < got.size(); ++k)
        EXPECT_NEAR(got[k].x, 10.0 + 20.0 * k, 1e-9);
}

TEST_F(DivisionCommand, PoldivUpToTheEndOfAnOpenPolylineMarksTheEnd)
{
    auto* line = new AcDbPolyline();
    line->addVertexAt(0, AcGePoint2d(0, 0));
    line->addVertexAt(1, AcGePoint2d(100, 0));
    useScript(add(line) + "\n40,0\n100,0\n/3\n");
    commandPoldiv();
    const std::vector<AcGePoint3d> got = points();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_NEAR(got.back().x, 100.0, 1e-9);
}

TEST_F(DivisionCommand, PoldivOnAClosedPolylineRunsThroughItsStart)
{
    auto* square = new AcDbPolyline();
    for (const Pt& p : kSquare)
        square->addVertexAt(square->numVerts(), AcGePoint2d(p.x, p.y));
    square->setClosed(Adesk::kTrue);
    useScript(add(square) + "\n0,5\n5,0\n/2\n");
    commandPoldiv();
    const std::vector<AcGePoint3d> got = points();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_TRUE(got[0].isEqualTo(AcGePoint3d(0, 5, 0)));
    EXPECT_TRUE(got[1].isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(got[2].isEqualTo(AcGePoint3d(5, 0, 0)));
    EXPECT_NE(out().find("\nDistance totale à partager :10"), std::string::npos);
}

TEST_F(DivisionCommand, PoldivRefusesASameStartAndEnd)
{
    auto* line = new AcDbPolyline();
    line->addVertexAt(0, AcGePoint2d(0, 0));
    line->addVertexAt(1, AcGePoint2d(100, 0));
    useScript(add(line) + "\n40,0\n40,3\n");
    commandPoldiv();
    EXPECT_NE(out().find("\nDistance à partager nulle."), std::string::npos);
    EXPECT_TRUE(points().empty());
}

}  // namespace
