// AcDbObject::cancel: an open for write closed with every change dropped, and what reactors, undo and change tracking see.
#include <gtest/gtest.h>

#include "acutads.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "kelvora/undo.h"
#include "test_entity.h"
#include "test_link.h"

namespace {

struct DotState {
    double radius = 0;
    std::wstring label;
    bool erased = false;
    bool hasXData = false;
    AcDbObjectId extDict;
};

DotState stateOf(AcDbObjectId id)
{
    DotState s;
    TestDot* dot = nullptr;
    if (acdbOpenObject(dot, id, AcDb::kForRead, true) != Acad::eOk)
        return s;
    s.radius = dot->radius();
    s.label = dot->label();
    s.erased = dot->isErased();
    resbuf* xd = dot->xData();
    s.hasXData = xd != nullptr;
    acutRelRb(xd);
    s.extDict = dot->extensionDictionary();
    dot->close();
    return s;
}

struct CancelFixture : ::testing::Test {
    ScopedDatabase db;
    AcDbObjectId dot;

    void SetUp() override
    {
        registerTestLink();
        addRegApp(db.get(), L"APP");
        dot = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"lot"));
        kelvora::takeChangedObjects(db.get());
        kelvora::clearUndoHistory(db.get());
    }

    TestDot* openForWrite()
    {
        TestDot* d = nullptr;
        EXPECT_EQ(acdbOpenObject(d, dot, AcDb::kForWrite), Acad::eOk);
        return d;
    }
};

// Each row changes the open object one way; cancel must give back the state it was opened in.
struct ChangeCase {
    const char* name;
    void (*change)(TestDot*);
};

void PrintTo(const ChangeCase& c, std::ostream* os)
{
    *os << c.name;
}

class CancelDropsChange : public CancelFixture, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(CancelDropsChange, StateIsAsOpened)
{
    const DotState before = stateOf(dot);
    TestDot* d = openForWrite();
    ASSERT_NE(d, nullptr);
    GetParam().change(d);
    EXPECT_TRUE(d->isModified() || d->isErased() || GetParam().change == nullptr);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_FALSE(d->isWriteEnabled());
    const DotState after = stateOf(dot);
    EXPECT_DOUBLE_EQ(after.radius, before.radius);
    EXPECT_EQ(after.label, before.label);
    EXPECT_EQ(after.erased, before.erased);
    EXPECT_EQ(after.hasXData, before.hasXData);
    EXPECT_EQ(after.extDict, before.extDict);
    // The database does not report the object as changed.
    EXPECT_TRUE(kelvora::takeChangedObjects(db.get()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cancel, CancelDropsChange,
    ::testing::Values(ChangeCase{"data", [](TestDot* d) { d->setRadius(9.0); d->setLabel(L"other"); }},
                      ChangeCase{"erase", [](TestDot* d) { ASSERT_EQ(d->erase(), Acad::eOk); }},
                      ChangeCase{"xdata",
                                 [](TestDot* d) {
                                     resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"APP",
                                                                AcDb::kDxfXdInteger16, 7, 0);
                                     ASSERT_EQ(d->setXData(xd), Acad::eOk);
                                     acutRelRb(xd);
                                 }},
                      ChangeCase{"everything_then_erase",
                                 [](TestDot* d) {
                                     d->setRadius(4.0);
                                     resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"APP",
                                                                AcDb::kDxfXdInteger16, 7, 0);
                                     ASSERT_EQ(d->setXData(xd), Acad::eOk);
                                     acutRelRb(xd);
                                     ASSERT_EQ(d->erase(), Acad::eOk);
                                 }}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

TEST_F(CancelFixture, ExtensionDictionaryMadeInTheOpenGoes)
{
    TestDot* d = openForWrite();
    ASSERT_EQ(d->createExtensionDictionary(), Acad::eOk);
    AcDbObjectId made = d->extensionDictionary();
    ASSERT_FALSE(made.isNull());
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_TRUE(stateOf(dot).extDict.isNull());
    EXPECT_TRUE(made.isErased());
}

TEST_F(CancelFixture, ErasedOwnerBringsItsDictionaryBack)
{
    TestDot* d = openForWrite();
    ASSERT_EQ(d->createExtensionDictionary(), Acad::eOk);
    AcDbObjectId dict = d->extensionDictionary();
    d->close();
    d = openForWrite();
    ASSERT_EQ(d->erase(), Acad::eOk);
    ASSERT_TRUE(dict.isErased());
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_FALSE(dot.isErased());
    EXPECT_FALSE(dict.isErased());
    EXPECT_EQ(stateOf(dot).extDict, dict);
}

TEST_F(CancelFixture, ReactorsHearCancelledAndNoModified)
{
    AcDbObjectId linkId;
    auto* link = new TestLink();
    ASSERT_EQ(db->addAcDbObject(linkId, link), Acad::eOk);
    link->close();
    TestDot* d = openForWrite();
    d->addPersistentReactor(linkId);
    d->close();
    link->modifiedCount = 0;
    CountingReactor counter;
    d = openForWrite();
    d->addReactor(&counter);
    d->setRadius(3.0);
    d->setLabel(L"x");
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_EQ(counter.openedForModifyCount, 1);
    EXPECT_EQ(counter.cancelledCount, 1);
    EXPECT_TRUE(counter.cancellingSeen);
    EXPECT_EQ(counter.modifiedCount, 0);
    EXPECT_EQ(counter.closedCount, 1);
    EXPECT_EQ(link->openedForModifyCount, 1);
    EXPECT_EQ(link->cancelledCount, 1);
    EXPECT_EQ(link->modifiedCount, 0);
    // The persistent reactor survives the cancel (it was there at open time).
    TestDot* r = nullptr;
    ASSERT_EQ(acdbOpenObject(r, dot, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(r->hasPersistentReactor(linkId));
    EXPECT_FALSE(r->isCancelling());
    r->removeReactor(&counter);
    r->close();
}

TEST_F(CancelFixture, PersistentReactorAddedInTheOpenIsDropped)
{
    AcDbObjectId linkId;
    auto* link = new TestLink();
    ASSERT_EQ(db->addAcDbObject(linkId, link), Acad::eOk);
    link->close();
    TestDot* d = openForWrite();
    d->addPersistentReactor(linkId);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    TestDot* r = nullptr;
    ASSERT_EQ(acdbOpenObject(r, dot, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(r->hasPersistentReactor(linkId));
    r->close();
}

TEST_F(CancelFixture, CancelledStepRecordsNothingAndKeepsRedo)
{
    kelvora::beginCommandUndo(L"FIRST", db.get());
    TestDot* d = openForWrite();
    d->setRadius(3.0);
    d->close();
    kelvora::endCommandUndo(db.get());
    ASSERT_EQ(kelvora::undo(1, db.get()), 1);
    ASSERT_EQ(kelvora::redoStepCount(db.get()), 1);

    // A step whose only change was cancelled changed nothing: redo survives it.
    kelvora::beginCommandUndo(L"CANCELLED", db.get());
    d = openForWrite();
    d->setRadius(8.0);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    kelvora::endCommandUndo(db.get());
    EXPECT_EQ(kelvora::redoStepCount(db.get()), 1);
    EXPECT_DOUBLE_EQ(stateOf(dot).radius, 1.5);
}

TEST_F(CancelFixture, EarlierChangeOfTheSameStepIsStillUndone)
{
    kelvora::beginCommandUndo(L"TWO OPENS", db.get());
    TestDot* d = openForWrite();
    d->setRadius(3.0);
    d->close();
    d = openForWrite();
    d->setRadius(8.0);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    kelvora::endCommandUndo(db.get());
    EXPECT_DOUBLE_EQ(stateOf(dot).radius, 3.0);
    ASSERT_EQ(kelvora::undo(1, db.get()), 1);
    EXPECT_DOUBLE_EQ(stateOf(dot).radius, 1.5);
    ASSERT_EQ(kelvora::redo(1, db.get()), 1);
    EXPECT_DOUBLE_EQ(stateOf(dot).radius, 3.0);
}

TEST_F(CancelFixture, ReadOpenJustCloses)
{
    TestDot* d = nullptr;
    ASSERT_EQ(acdbOpenObject(d, dot, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_FALSE(d->isReadEnabled());
    // Closed: a writer may open it now.
    TestDot* w = openForWrite();
    ASSERT_NE(w, nullptr);
    w->close();
}

TEST_F(CancelFixture, OpenWithoutChangeCancelsCleanly)
{
    TestDot* d = openForWrite();
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_FALSE(d->isWriteEnabled());
    EXPECT_DOUBLE_EQ(stateOf(dot).radius, 1.5);
}

TEST_F(CancelFixture, NewObjectIsRefusedAndStaysOpen)
{
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* fresh = new TestDot(AcGePoint3d(0, 0, 0), 2.0, L"new");
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, fresh), Acad::eOk);
    ms->close();
    EXPECT_EQ(fresh->cancel(), Acad::eNotApplicable);
    EXPECT_TRUE(fresh->isWriteEnabled());
    EXPECT_DOUBLE_EQ(fresh->radius(), 2.0);
    EXPECT_EQ(fresh->close(), Acad::eOk);
    EXPECT_DOUBLE_EQ(stateOf(id).radius, 2.0);
}

TEST_F(CancelFixture, ClosedOrDetachedObjectIsRefused)
{
    TestDot loose(AcGePoint3d(0, 0, 0), 1.0, L"");
    EXPECT_EQ(loose.cancel(), Acad::eNotInDatabase);
    TestDot* d = openForWrite();
    d->close();
    EXPECT_EQ(d->cancel(), Acad::eNotOpenForRead);
}

TEST_F(CancelFixture, UpgradedOpenCancelsToTheReadState)
{
    TestDot* d = nullptr;
    ASSERT_EQ(acdbOpenObject(d, dot, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(d->upgradeOpen(), Acad::eOk);
    d->setRadius(6.0);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_DOUBLE_EQ(stateOf(dot).radius, 1.5);
}

}  // namespace

namespace {

// A block record's change is the entity appended to it: cancelling it would orphan that entity, so
// the record keeps its changes and says so.
TEST_F(CancelFixture, ContainerKeepsTheObjectsAddedToIt)
{
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db.get()->getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite), Acad::eOk);
    table->close();
    AcDbObjectId added;
    auto* newDot = new TestDot(AcGePoint3d(5, 5, 0), 1.0, L"new");
    ASSERT_EQ(space->appendAcDbEntity(added, newDot), Acad::eOk);
    newDot->close();
    EXPECT_EQ(space->cancel(), Acad::eNotApplicable);
    EXPECT_FALSE(added.isErased());
    EXPECT_EQ(stateOf(added).label, L"new");
}

}  // namespace
