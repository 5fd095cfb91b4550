// Transient reactors: which events an AcDbObjectReactor hears, once each, and how the list is kept.
#include <gtest/gtest.h>

#include "acutads.h"
#include "dbsymtb.h"
#include "test_entity.h"
#include "test_link.h"

namespace {

struct ReactorFixture : ::testing::Test {
    ScopedDatabase db;
    AcDbObjectId dot;
    CountingReactor counter;

    void SetUp() override
    {
        dot = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"lot"));
        TestDot* d = nullptr;
        ASSERT_EQ(acdbOpenObject(d, dot, AcDb::kForRead), Acad::eOk);
        d->addReactor(&counter);
        d->close();
        counter.reset();
    }
    void TearDown() override
    {
        // The reactor dies before the database: it must be off the object first.
        AcDbObject* o = nullptr;
        if (acdbOpenAcDbObject(o, dot, AcDb::kForRead, true) == Acad::eOk) {
            o->removeReactor(&counter);
            o->close();
        }
    }
    TestDot* open(AcDb::OpenMode mode)
    {
        TestDot* d = nullptr;
        EXPECT_EQ(acdbOpenObject(d, dot, mode), Acad::eOk);
        return d;
    }
};

TEST_F(ReactorFixture, ChangeIsHeardOnceAtFirstChangeAndOnceAtClose)
{
    TestDot* d = open(AcDb::kForWrite);
    EXPECT_EQ(counter.openedForModifyCount, 0);  // opening is no change
    d->setRadius(2.0);
    d->setLabel(L"b");
    EXPECT_EQ(counter.openedForModifyCount, 1);
    EXPECT_EQ(counter.modifiedCount, 0);
    d->close();
    EXPECT_EQ(counter.modifiedCount, 1);
    EXPECT_EQ(counter.closedCount, 1);
    EXPECT_EQ(counter.modifiedXDataCount, 0);
}

TEST_F(ReactorFixture, ReadOpenIsOnlyClosed)
{
    TestDot* d = open(AcDb::kForRead);
    d->close();
    EXPECT_EQ(counter.closedCount, 1);
    EXPECT_EQ(counter.openedForModifyCount + counter.modifiedCount + counter.cancelledCount, 0);
}

TEST_F(ReactorFixture, EraseAndUneraseAreHeard)
{
    TestDot* d = open(AcDb::kForWrite);
    ASSERT_EQ(d->erase(), Acad::eOk);
    d->close();
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, dot, AcDb::kForWrite, true), Acad::eOk);
    ASSERT_EQ(o->erase(false), Acad::eOk);
    o->close();
    EXPECT_EQ(counter.erasedCount, 1);
    EXPECT_EQ(counter.unerasedCount, 1);
    EXPECT_EQ(counter.modifiedCount, 2);
}

TEST_F(ReactorFixture, ExtendedDataChangeIsHeard)
{
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db->getRegAppTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbRegAppTableRecord();
    rec->setName(L"APP");
    ASSERT_EQ(table->add(rec), Acad::eOk);
    rec->close();
    table->close();
    TestDot* d = open(AcDb::kForWrite);
    resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"APP", AcDb::kDxfXdInteger16, 3, 0);
    ASSERT_EQ(d->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    d->close();
    EXPECT_EQ(counter.modifiedXDataCount, 1);
    EXPECT_EQ(counter.modifiedCount, 1);
}

TEST_F(ReactorFixture, CloneIsHeardAsCopied)
{
    TestDot* d = open(AcDb::kForRead);
    AcRxObject* copy = d->clone();
    d->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(counter.copiedCount, 1);
    EXPECT_EQ(counter.lastCopy, copy);
    // Transient reactors stay with the original.
    EXPECT_EQ(AcDbObject::cast(copy)->reactors(), nullptr);
    delete copy;
}

TEST_F(ReactorFixture, CancelIsHeard)
{
    TestDot* d = open(AcDb::kForWrite);
    d->setRadius(7.0);
    ASSERT_EQ(d->cancel(), Acad::eOk);
    EXPECT_EQ(counter.openedForModifyCount, 1);
    EXPECT_EQ(counter.cancelledCount, 1);
    EXPECT_EQ(counter.modifiedCount, 0);
}

TEST_F(ReactorFixture, RemovedReactorHearsNothing)
{
    TestDot* d = open(AcDb::kForWrite);
    d->removeReactor(&counter);
    EXPECT_EQ(d->reactors(), nullptr);
    d->setRadius(3.0);
    d->close();
    EXPECT_EQ(counter.openedForModifyCount + counter.modifiedCount + counter.closedCount, 0);
}

TEST(TransientReactors, AddedTwiceIsKeptOnce)
{
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"");
    CountingReactor counter;
    EXPECT_EQ(dot.reactors(), nullptr);
    dot.addReactor(&counter);
    dot.addReactor(&counter);
    dot.addReactor(nullptr);
    ASSERT_NE(dot.reactors(), nullptr);
    EXPECT_EQ(dot.reactors()->length(), 1);
    dot.removeReactor(&counter);
    dot.removeReactor(&counter);  // not there any more: nothing happens
    EXPECT_EQ(dot.reactors(), nullptr);
}

TEST(TransientReactors, DeletedObjectSaysGoodbye)
{
    CountingReactor counter;
    auto* dot = new TestDot(AcGePoint3d(0, 0, 0), 1.0, L"");
    dot->addReactor(&counter);
    delete dot;
    EXPECT_EQ(counter.goodbyeCount, 1);
}

// A reactor that detaches another one during an event: the other must not be called any more.
class DetachingReactor : public AcDbObjectReactor {
public:
    CountingReactor* victim = nullptr;
    int heard = 0;
    void modified(const AcDbObject* obj) override
    {
        ++heard;
        obj->removeReactor(victim);
        obj->removeReactor(this);
    }
};

TEST_F(ReactorFixture, ReactorRemovedDuringAnEventIsNotCalled)
{
    DetachingReactor first;
    first.victim = &counter;
    TestDot* d = open(AcDb::kForWrite);
    d->removeReactor(&counter);
    d->addReactor(&first);
    d->addReactor(&counter);
    d->setRadius(5.0);
    EXPECT_EQ(counter.openedForModifyCount, 1);
    d->close();
    EXPECT_EQ(first.heard, 1);
    EXPECT_EQ(counter.modifiedCount, 0);
    EXPECT_EQ(d->reactors(), nullptr);
}

TEST_F(ReactorFixture, PersistentAndTransientHearTheSameChange)
{
    registerTestLink();
    AcDbObjectId linkId;
    auto* link = new TestLink();
    ASSERT_EQ(db->addAcDbObject(linkId, link), Acad::eOk);
    link->close();
    TestDot* d = open(AcDb::kForWrite);
    d->addPersistentReactor(linkId);
    d->close();
    counter.reset();
    link->modifiedCount = link->openedForModifyCount = 0;
    d = open(AcDb::kForWrite);
    d->setRadius(4.0);
    d->close();
    EXPECT_EQ(counter.openedForModifyCount, link->openedForModifyCount);
    EXPECT_EQ(counter.modifiedCount, link->modifiedCount);
    EXPECT_EQ(link->modifiedCount, 1);
}

}  // namespace
