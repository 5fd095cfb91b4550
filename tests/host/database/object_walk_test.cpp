// The host's own walks over a database: ids by a filter in handle order, extended data seen unopened, loading unlisted.
#include <gtest/gtest.h>

#include <algorithm>

#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "test_entity.h"

namespace {

AcDbObjectId addDotWithHandle(AcDbDatabase* db, Adesk::UInt64 handle)
{
    auto* dot = new TestDot();
    AcDbObjectId id;
    EXPECT_EQ(kelvora::addObjectWithHandle(db, dot, AcDbHandle(handle), id), Acad::eOk);
    dot->close();
    return id;
}

bool isDot(const AcDbObject* obj)
{
    return TestDot::cast(obj) != nullptr;
}

void setRadius(AcDbObjectId id, double radius)
{
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    dot->setRadius(radius);
    dot->close();
}

}  // namespace

TEST(ObjectWalk, FilteredIdsComeInHandleOrderNotInOrderOfAdding)
{
    ScopedDatabase db;
    const AcDbObjectId late = addDotWithHandle(db.get(), 0x900);
    const AcDbObjectId early = addDotWithHandle(db.get(), 0x800);
    const std::vector<AcDbObjectId> dots = kelvora::objectIdsWhere(db.get(), isDot);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0], early);
    EXPECT_EQ(dots[1], late);
}

TEST(ObjectWalk, EmptyFilterGivesEveryObjectAsAllObjectIdsDoes)
{
    ScopedDatabase db;
    addDotWithHandle(db.get(), 0x700);
    const std::vector<AcDbObjectId> all = kelvora::allObjectIds(db.get());
    EXPECT_EQ(kelvora::objectIdsWhere(db.get(), nullptr), all);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    // The default drawing's tables and records are there besides the dot.
    EXPECT_GT(all.size(), 1u);
}

TEST(ObjectWalk, ForwardReferenceWithoutItsObjectIsNoObject)
{
    ScopedDatabase db;
    AcDbObjectId reserved;
    ASSERT_EQ(db->getAcDbObjectId(reserved, true, AcDbHandle(0x5000ull)), Acad::eOk);
    const std::vector<AcDbObjectId> all = kelvora::objectIdsWhere(db.get(), nullptr);
    EXPECT_EQ(std::find(all.begin(), all.end(), reserved), all.end());
}

TEST(ObjectWalk, ExtendedDataIsSeenWithoutOpening)
{
    ScopedDatabase db;
    addRegApp(db.get(), L"APP");
    auto* marked = new TestDot();
    resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"APP", AcDb::kDxfXdInteger16, 12, 0);
    ASSERT_EQ(marked->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    const AcDbObjectId markedId = appendToModelSpace(db.get(), marked);
    const AcDbObjectId plainId = appendToModelSpace(db.get(), new TestDot());
    EXPECT_TRUE(kelvora::hasExtendedData(kelvora::peekObject(markedId)));
    EXPECT_FALSE(kelvora::hasExtendedData(kelvora::peekObject(plainId)));
    EXPECT_FALSE(kelvora::hasExtendedData(nullptr));
    const std::vector<AcDbObjectId> withData = kelvora::objectIdsWhere(db.get(), kelvora::hasExtendedData);
    ASSERT_EQ(withData.size(), 1u);
    EXPECT_EQ(withData[0], markedId);
}

TEST(ObjectWalk, WhileLoadingNothingIsListedAsChanged)
{
    ScopedDatabase db;
    kelvora::takeChangedObjects(db.get());
    kelvora::setDrawingLoading(db.get(), true);
    const AcDbObjectId loaded = appendToModelSpace(db.get(), new TestDot());
    setRadius(loaded, 3.0);
    kelvora::setDrawingLoading(db.get(), false);
    EXPECT_TRUE(kelvora::takeChangedObjects(db.get()).empty());
    // Once loaded, a change is an edit again.
    setRadius(loaded, 4.0);
    const std::vector<AcDbObjectId> changed = kelvora::takeChangedObjects(db.get());
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], loaded);
}

TEST(ObjectWalk, ReservingRoomKeepsEveryHandleFound)
{
    ScopedDatabase db;
    const AcDbObjectId a = addDotWithHandle(db.get(), 0x600);
    kelvora::reserveObjects(db.get(), 100000);
    const AcDbObjectId b = addDotWithHandle(db.get(), 0x601);
    AcDbObjectId found;
    ASSERT_EQ(db->getAcDbObjectId(found, false, AcDbHandle(0x600ull)), Acad::eOk);
    EXPECT_EQ(found, a);
    ASSERT_EQ(db->getAcDbObjectId(found, false, AcDbHandle(0x601ull)), Acad::eOk);
    EXPECT_EQ(found, b);
}
