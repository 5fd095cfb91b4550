// handOverTo: the new object takes the old one's id, handle, owner, place, extended data and extension dictionary.
#include <gtest/gtest.h>

#include <ostream>

#include "acutads.h"
#include "adscodes.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "test_entity.h"

namespace {

std::vector<AcDbObjectId> modelSpaceIds(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        ids.push_back(id);
    }
    delete it;
    ms->close();
    return ids;
}

struct HandOverFixture : ::testing::Test {
    ScopedDatabase db;
    AcDbObjectId first;
    AcDbObjectId middle;
    AcDbObjectId last;
    AcDbObjectId dictId;

    void SetUp() override
    {
        addRegApp(db.get(), L"KELVORA");
        first = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(0, 0, 0), 1, L"first"));
        auto* dot = new TestDot(AcGePoint3d(1, 1, 0), 2, L"middle");
        middle = appendToModelSpace(db.get(), dot);
        last = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(2, 2, 0), 3, L"last"));
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, middle, AcDb::kForWrite), Acad::eOk);
        resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"KELVORA", AcDb::kDxfXdAsciiString, L"kept", 0);
        ASSERT_EQ(o->setXData(xd), Acad::eOk);
        acutRelRb(xd);
        ASSERT_EQ(o->createExtensionDictionary(), Acad::eOk);
        dictId = o->extensionDictionary();
        o->close();
    }
};

TEST_F(HandOverFixture, NewObjectTakesTheOldPlace)
{
    AcDbHandle oldHandle = middle.handle();
    AcDbObject* old = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(old, middle, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId owner = old->ownerId();
    auto* tag = new TestTag(42);
    ASSERT_EQ(old->handOverTo(tag), Acad::eObjectToBeDeleted);
    // The old object is out of the database.
    EXPECT_TRUE(old->objectId().isNull());
    EXPECT_EQ(old->database(), nullptr);
    delete old;
    // The new one is in its place, open for write.
    EXPECT_EQ(tag->objectId(), middle);
    EXPECT_TRUE(tag->isWriteEnabled());
    EXPECT_EQ(tag->ownerId(), owner);
    AcDbHandle h;
    tag->getAcDbHandle(h);
    EXPECT_EQ(h, oldHandle);
    EXPECT_EQ(tag->extensionDictionary(), dictId);
    resbuf* xd = tag->xData(L"KELVORA");
    ASSERT_NE(xd, nullptr);
    ASSERT_NE(xd->rbnext, nullptr);
    EXPECT_STREQ(xd->rbnext->resval.rstring, L"kept");
    acutRelRb(xd);
    tag->close();

    EXPECT_EQ(middle.objectClass(), TestTag::desc());
    std::vector<AcDbObjectId> ids = modelSpaceIds(db.get());
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[0], first);
    EXPECT_EQ(ids[1], middle);
    EXPECT_EQ(ids[2], last);
    TestTag* back = nullptr;
    ASSERT_EQ(acdbOpenObject(back, middle, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(back->number(), 42);
    back->close();
    // The extension dictionary still belongs to the id.
    AcDbDictionary* dict = nullptr;
    ASSERT_EQ(acdbOpenObject(dict, dictId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dict->ownerId(), middle);
    dict->close();
}

TEST_F(HandOverFixture, WithoutKeepingExtendedDataAndDictionary)
{
    AcDbObject* old = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(old, middle, AcDb::kForWrite), Acad::eOk);
    auto* tag = new TestTag(7);
    ASSERT_EQ(old->handOverTo(tag, false, false), Acad::eObjectToBeDeleted);
    delete old;
    EXPECT_EQ(tag->xData(L"KELVORA"), nullptr);
    EXPECT_TRUE(tag->extensionDictionary().isNull());
    tag->close();
    EXPECT_TRUE(dictId.isErased());
}

struct RefusalCase {
    const char* name;
    int situation;
    Acad::ErrorStatus expected;
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}


class HandOverRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(HandOverRefusal, LeavesEverythingInPlace)
{
    const RefusalCase& c = GetParam();
    ScopedDatabase db;
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(0, 0, 0), 1, L"a"));
    AcDbObjectId b = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(0, 0, 0), 1, L"b"));
    kelvora::QuietMisuse quiet;
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, a, c.situation == 1 ? AcDb::kForRead : AcDb::kForWrite), Acad::eOk);
    Acad::ErrorStatus es = Acad::eOk;
    switch (c.situation) {
    case 0:
        es = o->handOverTo(nullptr);
        break;
    case 1: {
        auto* fresh = new TestTag(1);
        es = o->handOverTo(fresh);
        delete fresh;
        break;
    }
    case 2: {
        AcDbObject* inDb = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(inDb, b, AcDb::kForRead), Acad::eOk);
        es = o->handOverTo(inDb);
        inDb->close();
        break;
    }
    case 3:
        es = o->handOverTo(o);
        break;
    }
    EXPECT_EQ(es, c.expected) << c.name;
    EXPECT_EQ(o->objectId(), a);
    o->close();
    EXPECT_EQ(a.objectClass(), TestDot::desc());
}

INSTANTIATE_TEST_SUITE_P(Database, HandOverRefusal,
                         ::testing::Values(RefusalCase{"null_object", 0, Acad::eNullObjectPointer},
                                           RefusalCase{"not_open_for_write", 1, Acad::eNotOpenForWrite},
                                           RefusalCase{"new_object_in_database", 2, Acad::eAlreadyInDb},
                                           RefusalCase{"itself", 3, Acad::eSelfReference}),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(HandOver, FromAnObjectOutsideADatabaseIsRefused)
{
    TestDot loose;
    TestTag tag;
    EXPECT_EQ(loose.handOverTo(&tag), Acad::eNotInDatabase);
}

}  // namespace
