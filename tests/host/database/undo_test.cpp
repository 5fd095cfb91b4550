// Undo and redo: a step that changed, created and erased objects; groups; handOverTo; header variables.
#include <gtest/gtest.h>

#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "kelvora/diagnostics.h"
#include "kelvora/undo.h"
#include "test_entity.h"

namespace {

double radiusOf(AcDbObjectId id)
{
    TestDot* dot = nullptr;
    if (acdbOpenObject(dot, id, AcDb::kForRead, true) != Acad::eOk)
        return -1.0;
    double r = dot->radius();
    dot->close();
    return r;
}

void setRadius(AcDbObjectId id, double r)
{
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    dot->setRadius(r);
    dot->close();
}

void erase(AcDbObjectId id)
{
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(o->erase(), Acad::eOk);
    o->close();
}

int liveEntities(AcDbDatabase* db)
{
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    int n = 0;
    for (; !it->done(); it->step())
        ++n;
    delete it;
    ms->close();
    return n;
}

struct UndoFixture : ::testing::Test {
    ScopedDatabase db;
    AcDbObjectId a;
    AcDbObjectId b;
    AcDbObjectId c;

    void SetUp() override
    {
        // Made outside any step: not undoable.
        a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(0, 0, 0), 1.0, L"a"));
        b = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 0, 0), 2.0, L"b"));
        kelvora::clearUndoHistory(db.get());
    }
};

TEST_F(UndoFixture, OneCommandChangingCreatingAndErasingIsOneStep)
{
    kelvora::beginCommandUndo(L"EDIT", db.get());
    setRadius(a, 10.0);
    setRadius(a, 20.0);  // a second open in the same step records nothing more
    erase(b);
    c = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(5, 5, 0), 3.0, L"c"));
    kelvora::endCommandUndo(db.get());

    ASSERT_EQ(kelvora::undoStepCount(db.get()), 1);
    EXPECT_EQ(kelvora::nextUndoStepName(db.get()), L"EDIT");
    EXPECT_DOUBLE_EQ(radiusOf(a), 20.0);
    EXPECT_TRUE(b.isErased());
    EXPECT_EQ(liveEntities(db.get()), 2);

    ASSERT_EQ(kelvora::undo(1, db.get()), 1);
    EXPECT_DOUBLE_EQ(radiusOf(a), 1.0);
    EXPECT_FALSE(b.isErased());
    EXPECT_TRUE(c.isErased());
    EXPECT_EQ(liveEntities(db.get()), 2);
    EXPECT_EQ(kelvora::redoStepCount(db.get()), 1);

    ASSERT_EQ(kelvora::redo(1, db.get()), 1);
    EXPECT_DOUBLE_EQ(radiusOf(a), 20.0);
    EXPECT_TRUE(b.isErased());
    EXPECT_FALSE(c.isErased());
    EXPECT_DOUBLE_EQ(radiusOf(c), 3.0);
    EXPECT_EQ(liveEntities(db.get()), 2);
}

TEST_F(UndoFixture, UndoCountsSteps)
{
    for (int i = 1; i <= 3; ++i) {
        kelvora::beginCommandUndo(L"R", db.get());
        setRadius(a, 10.0 * i);
        kelvora::endCommandUndo(db.get());
    }
    EXPECT_EQ(kelvora::undo(2, db.get()), 2);
    EXPECT_DOUBLE_EQ(radiusOf(a), 10.0);
    EXPECT_EQ(kelvora::undo(5, db.get()), 1);
    EXPECT_DOUBLE_EQ(radiusOf(a), 1.0);
    EXPECT_EQ(kelvora::undo(1, db.get()), 0);
    EXPECT_EQ(kelvora::redo(3, db.get()), 3);
    EXPECT_DOUBLE_EQ(radiusOf(a), 30.0);
}

TEST_F(UndoFixture, GroupMakesSeveralCommandsOneStep)
{
    kelvora::beginUndoGroup(db.get());
    for (int i = 1; i <= 3; ++i) {
        kelvora::beginCommandUndo(L"R", db.get());
        setRadius(a, 10.0 * i);
        kelvora::endCommandUndo(db.get());
    }
    kelvora::endUndoGroup(db.get());
    EXPECT_EQ(kelvora::undoStepCount(db.get()), 1);
    kelvora::undo(1, db.get());
    EXPECT_DOUBLE_EQ(radiusOf(a), 1.0);
}

TEST_F(UndoFixture, GroupInsideACommandChangesNothing)
{
    kelvora::beginCommandUndo(L"SUPPSOMMET", db.get());
    {
        kelvora::UndoGroupScope group(db.get());
        setRadius(a, 4.0);
    }
    EXPECT_TRUE(kelvora::isUndoStepOpen(db.get()));
    setRadius(b, 5.0);
    kelvora::endCommandUndo(db.get());
    EXPECT_EQ(kelvora::undoStepCount(db.get()), 1);
    kelvora::undo(1, db.get());
    EXPECT_DOUBLE_EQ(radiusOf(a), 1.0);
    EXPECT_DOUBLE_EQ(radiusOf(b), 2.0);
}

TEST_F(UndoFixture, HandOverIsUndoneToTheOriginalClass)
{
    kelvora::beginCommandUndo(L"SPOLY", db.get());
    AcDbObject* old = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(old, a, AcDb::kForWrite), Acad::eOk);
    auto* tag = new TestTag(9);
    ASSERT_EQ(old->handOverTo(tag), Acad::eObjectToBeDeleted);
    delete old;
    tag->close();
    kelvora::endCommandUndo(db.get());
    EXPECT_EQ(a.objectClass(), TestTag::desc());

    kelvora::undo(1, db.get());
    EXPECT_EQ(a.objectClass(), TestDot::desc());
    EXPECT_DOUBLE_EQ(radiusOf(a), 1.0);
    kelvora::redo(1, db.get());
    EXPECT_EQ(a.objectClass(), TestTag::desc());
    TestTag* back = nullptr;
    ASSERT_EQ(acdbOpenObject(back, a, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(back->number(), 9);
    back->close();
}

TEST_F(UndoFixture, HeaderVariablesAreUndone)
{
    kelvora::beginCommandUndo(L"SETVAR", db.get());
    ASSERT_EQ(db->setTextsize(5.0), Acad::eOk);
    ASSERT_EQ(db->setLuprec(2), Acad::eOk);
    kelvora::endCommandUndo(db.get());
    kelvora::undo(1, db.get());
    EXPECT_DOUBLE_EQ(db->textsize(), 2.5);
    EXPECT_EQ(db->luprec(), 4);
    kelvora::redo(1, db.get());
    EXPECT_DOUBLE_EQ(db->textsize(), 5.0);
    EXPECT_EQ(db->luprec(), 2);
}

TEST_F(UndoFixture, NewChangeClearsRedo)
{
    kelvora::beginCommandUndo(L"R", db.get());
    setRadius(a, 7.0);
    kelvora::endCommandUndo(db.get());
    kelvora::undo(1, db.get());
    EXPECT_EQ(kelvora::redoStepCount(db.get()), 1);
    kelvora::beginCommandUndo(L"R", db.get());
    setRadius(b, 8.0);
    kelvora::endCommandUndo(db.get());
    EXPECT_EQ(kelvora::redoStepCount(db.get()), 0);
}

TEST_F(UndoFixture, StepThatChangedNothingIsKeptAndHarmless)
{
    kelvora::beginCommandUndo(L"LIST", db.get());
    kelvora::endCommandUndo(db.get());
    EXPECT_EQ(kelvora::undoStepCount(db.get()), 1);
    EXPECT_EQ(kelvora::undo(1, db.get()), 1);
    EXPECT_DOUBLE_EQ(radiusOf(a), 1.0);
}

TEST_F(UndoFixture, MisuseIsRefused)
{
    kelvora::QuietMisuse quiet;
    long before = kelvora::misuseCount();
    kelvora::endCommandUndo(db.get());
    EXPECT_EQ(kelvora::misuseCount(), before + 1);
    kelvora::beginCommandUndo(L"X", db.get());
    EXPECT_EQ(kelvora::undo(1, db.get()), 0);
    EXPECT_EQ(kelvora::misuseCount(), before + 2);
    kelvora::endCommandUndo(db.get());
    // An object left open is not touched by undo, and said so.
    AcDbObject* o = nullptr;
    kelvora::beginCommandUndo(L"R", db.get());
    setRadius(a, 3.0);
    kelvora::endCommandUndo(db.get());
    ASSERT_EQ(acdbOpenAcDbObject(o, a, AcDb::kForRead), Acad::eOk);
    kelvora::undo(1, db.get());
    EXPECT_GT(kelvora::misuseCount(), before + 2);
    o->close();
    EXPECT_DOUBLE_EQ(radiusOf(a), 3.0);
}

TEST_F(UndoFixture, DisabledRecordingRecordsNothing)
{
    db->disableUndoRecording(true);
    kelvora::beginCommandUndo(L"R", db.get());
    setRadius(a, 6.0);
    kelvora::endCommandUndo(db.get());
    db->disableUndoRecording(false);
    kelvora::undo(1, db.get());
    EXPECT_DOUBLE_EQ(radiusOf(a), 6.0);
}

TEST_F(UndoFixture, ChangedObjectsAreReported)
{
    kelvora::takeChangedObjects(db.get());
    kelvora::beginCommandUndo(L"R", db.get());
    setRadius(b, 6.0);
    setRadius(a, 6.0);
    kelvora::endCommandUndo(db.get());
    std::vector<AcDbObjectId> changed = kelvora::takeChangedObjects(db.get());
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0], b);
    EXPECT_EQ(changed[1], a);
    EXPECT_TRUE(kelvora::takeChangedObjects(db.get()).empty());
    kelvora::undo(1, db.get());
    EXPECT_EQ(kelvora::takeChangedObjects(db.get()).size(), 2u);
}

}  // namespace
