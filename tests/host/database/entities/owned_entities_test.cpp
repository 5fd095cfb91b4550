// Entities with sub-entities (old-style polylines, block references with attributes): copies, erase, undo.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "entity_test_support.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/undo.h"

using entitytest::expectNear;

namespace {

std::vector<AcDbObjectId> vertexIds(const AcDb2dPolyline* pl)
{
    std::vector<AcDbObjectId> ids;
    AcDbObjectIterator* it = pl->vertexIterator();
    for (; !it->done(); it->step())
        ids.push_back(it->objectId());
    delete it;
    return ids;
}

AcDbObjectId addBlock(AcDbDatabase* db, const wchar_t* name)
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, block), Acad::eOk);
    table->close();
    auto* circle = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    block->appendAcDbEntity(circle);
    circle->close();
    block->close();
    return id;
}

}  // namespace

TEST(Polyline2dCopies, ACloneGetsVerticesOfItsOwn)
{
    entitytest::WorkingDatabase db;
    auto* pl = new AcDb2dPolyline();
    pl->appendVertex(new AcDb2dVertex(AcGePoint3d(0, 0, 0), 0.5));
    pl->appendVertex(new AcDb2dVertex(AcGePoint3d(4, 0, 0)));
    AcDbObjectId id = entitytest::addToModelSpace(db.get(), pl);
    AcDb2dPolyline* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    std::vector<AcDbObjectId> original = vertexIds(opened);
    auto* copy = AcDb2dPolyline::cast(opened->clone());
    opened->close();
    ASSERT_NE(copy, nullptr);
    AcDbObjectId copyId = entitytest::addToModelSpace(db.get(), copy);
    ASSERT_FALSE(copyId.isNull());
    ASSERT_EQ(acdbOpenObject(opened, copyId, AcDb::kForRead), Acad::eOk);
    std::vector<AcDbObjectId> copied = vertexIds(opened);
    double end = 0.0;
    opened->getEndParam(end);
    opened->close();
    ASSERT_EQ(copied.size(), 2u);
    EXPECT_NE(copied[0], original[0]);
    EXPECT_DOUBLE_EQ(end, 1.0);
    AcDb2dVertex* v = nullptr;
    ASSERT_EQ(acdbOpenObject(v, copied[0], AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(v->bulge(), 0.5);
    EXPECT_EQ(v->ownerId(), copyId);
    v->close();
}

TEST(Polyline2dCopies, ErasingThePolylineErasesItsVertices)
{
    entitytest::WorkingDatabase db;
    auto* pl = new AcDb2dPolyline();
    pl->appendVertex(new AcDb2dVertex(AcGePoint3d(0, 0, 0)));
    pl->appendVertex(new AcDb2dVertex(AcGePoint3d(1, 0, 0)));
    AcDbObjectId id = entitytest::addToModelSpace(db.get(), pl);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    std::vector<AcDbObjectId> ids = vertexIds(AcDb2dPolyline::cast(ent));
    ASSERT_EQ(ent->erase(), Acad::eOk);
    ent->close();
    for (const AcDbObjectId& v : ids)
        EXPECT_TRUE(v.isErased());
}

TEST(PolylineUndo, AVertexChangeIsTakenBack)
{
    entitytest::WorkingDatabase db;
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(0, 0));
    pl->addVertexAt(1, AcGePoint2d(10, 0), 0.5);
    AcDbObjectId id = entitytest::addToModelSpace(db.get(), pl);
    kelvora::beginCommandUndo(L"EDIT", db.get());
    AcDbPolyline* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForWrite), Acad::eOk);
    opened->setPointAt(1, AcGePoint2d(20, 5));
    opened->removeVertexAt(0);
    opened->close();
    kelvora::endCommandUndo(db.get());
    ASSERT_EQ(kelvora::undo(1, db.get()), 1);
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(opened->numVerts(), 2u);
    AcGePoint2d p;
    opened->getPointAt(1, p);
    expectNear(p, AcGePoint2d(10, 0));
    double length = 0.0;
    opened->getDistAtParam(1.0, length);  // the cached lengths follow the restored vertices
    EXPECT_DOUBLE_EQ(length, 10.0);
    opened->close();
}

TEST(BlockAttributes, AppendedAttributesAreOwnedIteratedAndErasedWithTheReference)
{
    entitytest::WorkingDatabase db;
    AcDbObjectId blockId = addBlock(db.get(), L"TREE");
    auto* ref = new AcDbBlockReference(AcGePoint3d(5, 5, 0), blockId);
    // Before the reference is in the drawing the attribute waits with it.
    ASSERT_EQ(ref->appendAttribute(new AcDbAttribute(AcGePoint3d(5, 6, 0), L"Oak", L"SPECIES")), Acad::eOk);
    AcDbObjectId refId = entitytest::addToModelSpace(db.get(), ref);
    AcDbBlockReference* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, refId, AcDb::kForWrite), Acad::eOk);
    auto* second = new AcDbAttribute(AcGePoint3d(5, 7, 0), L"12", L"HEIGHT");
    AcDbObjectId secondId;
    ASSERT_EQ(opened->appendAttribute(secondId, second), Acad::eOk);
    EXPECT_FALSE(secondId.isNull());
    second->close();
    std::vector<AcDbObjectId> attributes;
    AcDbObjectIterator* it = opened->attributeIterator();
    for (; !it->done(); it->step())
        attributes.push_back(it->objectId());
    delete it;
    ASSERT_EQ(attributes.size(), 2u);
    AcDbAttribute* attr = nullptr;
    ASSERT_EQ(opened->openAttribute(attr, attributes[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::wstring(attr->tagConst()), L"SPECIES");
    EXPECT_EQ(attr->ownerId(), refId);
    attr->close();
    // Moving the reference moves its attributes.
    ASSERT_EQ(opened->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 0, 0))), Acad::eOk);
    ASSERT_EQ(opened->erase(), Acad::eOk);
    opened->close();
    for (const AcDbObjectId& a : attributes)
        EXPECT_TRUE(a.isErased());
    AcDbAttribute* moved = nullptr;
    ASSERT_EQ(acdbOpenObject(moved, attributes[1], AcDb::kForRead, true), Acad::eOk);
    expectNear(moved->position(), AcGePoint3d(6, 7, 0));
    moved->close();
}

TEST(BlockAttributes, UnknownBlockNameInDxfIsAnError)
{
    entitytest::WorkingDatabase db;
    kelvora::ItemListDxfFiler f(db.get());
    f.appendString(100, L"AcDbBlockReference");
    f.appendString(2, L"NO_SUCH_BLOCK");
    f.appendPoint(10, AcGePoint3d(0, 0, 0));
    f.rewindFiler();
    AcDbBlockReference ref;
    EXPECT_EQ(ref.dxfInFields(&f), Acad::eKeyNotFound);
    EXPECT_NE(std::wstring(f.errorMessage()).find(L"NO_SUCH_BLOCK"), std::wstring::npos);
}
