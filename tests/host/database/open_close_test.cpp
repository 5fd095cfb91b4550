// Open and close discipline: every status of acdbOpenAcDbObject and its relatives.
#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <vector>

#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "test_entity.h"

namespace {

// A drawing with one entity on a free layer and one on a locked layer.
struct OpenFixture {
    ScopedDatabase db;
    AcDbObjectId dot;
    AcDbObjectId lockedDot;
    AcDbObjectId lockedLayer;
    std::vector<AcDbObject*> held;

    OpenFixture()
    {
        dot = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.0, L"a"));
        lockedLayer = addLayer(db.get(), L"Locked", false);
        auto* other = new TestDot(AcGePoint3d(5, 5, 0), 1.0, L"b");
        other->setLayer(lockedLayer);
        lockedDot = appendToModelSpace(db.get(), other);
        AcDbLayerTableRecord* layer = nullptr;
        acdbOpenObject(layer, lockedLayer, AcDb::kForWrite);
        layer->setIsLocked(true);
        layer->close();
    }
    ~OpenFixture()
    {
        for (AcDbObject* o : held)
            o->close();
    }
    void hold(AcDbObjectId id, AcDb::OpenMode mode)
    {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, id, mode), Acad::eOk);
        held.push_back(o);
    }
    void eraseDot()
    {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, dot, AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(o->erase(), Acad::eOk);
        o->close();
    }
};

struct OpenCase {
    const char* name;
    std::function<void(OpenFixture&)> prepare;
    bool lockedEntity;
    AcDb::OpenMode mode;
    bool openErased;
    Acad::ErrorStatus expected;
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const OpenCase& c, std::ostream* os)
{
    *os << c.name;
}


class OpenStatus : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenStatus, AnswersTheHostStatus)
{
    const OpenCase& c = GetParam();
    OpenFixture f;
    c.prepare(f);
    AcDbObject* obj = reinterpret_cast<AcDbObject*>(0x1);
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, c.lockedEntity ? f.lockedDot : f.dot, c.mode, c.openErased);
    EXPECT_EQ(es, c.expected) << c.name;
    if (es == Acad::eOk) {
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->objectId(), c.lockedEntity ? f.lockedDot : f.dot);
        obj->close();
    } else {
        EXPECT_EQ(obj, nullptr) << c.name << ": the out pointer is null on failure";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Database, OpenStatus,
    ::testing::Values(
        OpenCase{"read_closed", [](OpenFixture&) {}, false, AcDb::kForRead, false, Acad::eOk},
        OpenCase{"write_closed", [](OpenFixture&) {}, false, AcDb::kForWrite, false, Acad::eOk},
        OpenCase{"second_reader", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForRead); }, false, AcDb::kForRead, false,
                 Acad::eOk},
        OpenCase{"write_while_read", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForRead); }, false, AcDb::kForWrite,
                 false, Acad::eWasOpenForRead},
        OpenCase{"read_while_written", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForWrite); }, false, AcDb::kForRead,
                 false, Acad::eWasOpenForWrite},
        OpenCase{"write_while_written", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForWrite); }, false,
                 AcDb::kForWrite, false, Acad::eWasOpenForWrite},
        OpenCase{"notify_while_written", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForWrite); }, false,
                 AcDb::kForNotify, false, Acad::eOk},
        OpenCase{"write_while_notified", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForNotify); }, false,
                 AcDb::kForWrite, false, Acad::eWasOpenForNotify},
        OpenCase{"notify_twice", [](OpenFixture& f) { f.hold(f.dot, AcDb::kForNotify); }, false, AcDb::kForNotify,
                 false, Acad::eWasOpenForNotify},
        OpenCase{"erased_read", [](OpenFixture& f) { f.eraseDot(); }, false, AcDb::kForRead, false,
                 Acad::eWasErased},
        OpenCase{"erased_write", [](OpenFixture& f) { f.eraseDot(); }, false, AcDb::kForWrite, false,
                 Acad::eWasErased},
        OpenCase{"erased_read_open_erased", [](OpenFixture& f) { f.eraseDot(); }, false, AcDb::kForRead, true,
                 Acad::eOk},
        OpenCase{"locked_layer_write", [](OpenFixture&) {}, true, AcDb::kForWrite, false, Acad::eOnLockedLayer},
        OpenCase{"locked_layer_read", [](OpenFixture&) {}, true, AcDb::kForRead, false, Acad::eOk},
        OpenCase{"bad_mode", [](OpenFixture&) {}, false, AcDb::kNotOpen, false, Acad::eInvalidOpenState}),
    [](const ::testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

TEST(OpenClose, NullIdAnswersNullObjectId)
{
    ScopedDatabase db;
    AcDbObject* obj = nullptr;
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
    EXPECT_EQ(acdbOpenAcDbEntity(ent, AcDbObjectId::kNull, AcDb::kForWrite), Acad::eNullObjectId);
    TestDot* dot = nullptr;
    EXPECT_EQ(acdbOpenObject(dot, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
}

TEST(OpenClose, ReservedHandleWithoutObjectAnswersUnknownHandle)
{
    ScopedDatabase db;
    AcDbObjectId id;
    ASSERT_EQ(db->getAcDbObjectId(id, true, AcDbHandle(0x4000)), Acad::eOk);
    EXPECT_FALSE(id.isValid());
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eUnknownHandle);
    EXPECT_EQ(obj, nullptr);
}

TEST(OpenClose, EntityOpenOfANonEntityAnswersNotAnEntity)
{
    ScopedDatabase db;
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, db->clayer(), AcDb::kForRead), Acad::eNotAnEntity);
    EXPECT_EQ(ent, nullptr);
    // The layer was not left open.
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, db->clayer(), AcDb::kForWrite), Acad::eOk);
    obj->close();
}

TEST(OpenClose, TypedOpenOfAnotherClassLeavesTheObjectClosed)
{
    ScopedDatabase db;
    AcDbObjectId id = appendToModelSpace(db.get(), new TestDot());
    AcDbLayerTableRecord* layer = nullptr;
    EXPECT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eNotThatKindOfClass);
    EXPECT_EQ(layer, nullptr);
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(dot->isWriteEnabled());
    dot->close();
}

TEST(OpenClose, EveryOpenAnswersTheSameObject)
{
    OpenFixture f;
    AcDbObject* a = nullptr;
    AcDbObject* b = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(a, f.dot, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(b, f.dot, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(a, b);
    a->close();
    // One reader left: still no writer allowed.
    AcDbObject* w = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(w, f.dot, AcDb::kForWrite), Acad::eWasOpenForRead);
    b->close();
    EXPECT_EQ(acdbOpenAcDbObject(w, f.dot, AcDb::kForWrite), Acad::eOk);
    w->close();
}

TEST(OpenClose, UpgradeAndDowngrade)
{
    OpenFixture f;
    AcDbObject* a = nullptr;
    AcDbObject* b = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(a, f.dot, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(b, f.dot, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(a->upgradeOpen(), Acad::eHadMultipleReaders);
    b->close();
    EXPECT_EQ(a->upgradeOpen(), Acad::eOk);
    EXPECT_TRUE(a->isWriteEnabled());
    EXPECT_EQ(a->upgradeOpen(), Acad::eWasOpenForWrite);
    EXPECT_EQ(a->downgradeOpen(), Acad::eOk);
    EXPECT_FALSE(a->isWriteEnabled());
    EXPECT_TRUE(a->isReadEnabled());
    EXPECT_EQ(a->downgradeOpen(), Acad::eNotOpenForWrite);
    a->close();
    EXPECT_FALSE(a->isReadEnabled());
}

TEST(OpenClose, UpgradeOnALockedLayerIsRefused)
{
    OpenFixture f;
    AcDbObject* a = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(a, f.lockedDot, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(a->upgradeOpen(), Acad::eOnLockedLayer);
    EXPECT_FALSE(a->isWriteEnabled());
    a->close();
}

TEST(OpenClose, MisuseIsReportedNotFatal)
{
    OpenFixture f;
    kelvora::QuietMisuse quiet;
    long before = kelvora::misuseCount();
    AcDbObject* a = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(a, f.dot, AcDb::kForRead), Acad::eOk);
    auto* dot = TestDot::cast(a);
    dot->setRadius(5.0);  // change while open for read
    EXPECT_EQ(kelvora::misuseCount(), before + 1);
    EXPECT_EQ(a->close(), Acad::eOk);
    EXPECT_EQ(a->close(), Acad::eNotOpenForRead);  // closed twice
    EXPECT_EQ(kelvora::misuseCount(), before + 2);
    TestDot loose;
    EXPECT_EQ(loose.close(), Acad::eNotInDatabase);
    EXPECT_EQ(kelvora::misuseCount(), before + 3);
    (void)dot->radius();  // read while closed
    EXPECT_EQ(kelvora::misuseCount(), before + 4);
}

TEST(OpenClose, NewObjectIsWriteEnabledUntilClosed)
{
    ScopedDatabase db;
    auto* dot = new TestDot();
    EXPECT_TRUE(dot->isWriteEnabled());
    EXPECT_FALSE(dot->isNewObject());
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(ms->appendAcDbEntity(dot), Acad::eOk);
    ms->close();
    EXPECT_TRUE(dot->isNewObject());
    EXPECT_TRUE(dot->isWriteEnabled());
    EXPECT_EQ(dot->close(), Acad::eOk);
    EXPECT_FALSE(dot->isNewObject());
    EXPECT_FALSE(dot->isWriteEnabled());
}

TEST(OpenClose, EraseAndUnerase)
{
    OpenFixture f;
    TestDot::s_erases = 0;
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, f.dot, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(o->erase(), Acad::eOk);
    EXPECT_TRUE(o->isErased());
    EXPECT_TRUE(f.dot.isErased());
    EXPECT_EQ(o->erase(), Acad::eWasErased);
    EXPECT_EQ(o->erase(false), Acad::eOk);
    EXPECT_EQ(o->erase(false), Acad::eWasNotErased);
    EXPECT_EQ(TestDot::s_erases, 2);
    o->close();
    ASSERT_EQ(acdbOpenAcDbObject(o, f.dot, AcDb::kForRead), Acad::eOk);
    {
        kelvora::QuietMisuse quiet;
        EXPECT_EQ(o->erase(), Acad::eNotOpenForWrite);
    }
    o->close();
}

}  // namespace
