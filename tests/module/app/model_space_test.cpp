// Database helpers: layers found or created by trimmed name, and entities appended to model space.
#include <gtest/gtest.h>

#include "dbapserv.h"
#include "dbents.h"
#include "dbhelpers/model_space.h"
#include "dbsymtb.h"

namespace {

class ModelSpaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = acdbHostApplicationServices()->workingDatabase();
        m_db = new AcDbDatabase(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_db);
    }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
        delete m_db;
    }
    int layerCount()
    {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(m_db->getSymbolTable(table, AcDb::kForRead), Acad::eOk);
        AcDbLayerTableIterator* it = nullptr;
        table->newIterator(it);
        int count = 0;
        for (; !it->done(); it->step())
            ++count;
        delete it;
        table->close();
        return count;
    }
    AcDbDatabase* m_db = nullptr;
    AcDbDatabase* m_previous = nullptr;
};

TEST_F(ModelSpaceTest, EnsureLayerTrimsTheNameAndCreatesItOnce)
{
    const int before = layerCount();
    AcDbObjectId first;
    ensureLayer(L"  PARCELLES  ", first, 3);
    ASSERT_FALSE(first.isNull());
    AcDbObjectId second;
    ensureLayer(L"PARCELLES", second, 5);
    EXPECT_EQ(first, second);
    EXPECT_EQ(layerCount(), before + 1);
    AcDbLayerTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, first, AcDb::kForRead), Acad::eOk);
    const ACHAR* name = nullptr;
    record->getName(name);
    EXPECT_STREQ(name, L"PARCELLES");
    EXPECT_EQ(record->color().colorIndex(), 3);
    record->close();
}

TEST_F(ModelSpaceTest, EnsureLayerFindsAnExistingLayerWithoutChangingIt)
{
    AcDbObjectId zero;
    ensureLayer(L"0", zero, 1);
    AcDbLayerTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, zero, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(record->color().colorIndex(), 7);
    record->close();
}

TEST_F(ModelSpaceTest, AppendClosesTheEntityAndGivesItsId)
{
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbObjectId id;
    ASSERT_EQ(appendToModelSpace(line, id), Acad::eOk);
    ASSERT_FALSE(id.isNull());
    AcDbEntity* reopened = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(reopened, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(reopened->isA(), AcDbLine::desc());
    reopened->close();
}

TEST_F(ModelSpaceTest, AppendOfAnEntityAlreadyInTheDatabaseFails)
{
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbObjectId id;
    ASSERT_EQ(appendToModelSpace(line, id), Acad::eOk);
    AcDbEntity* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(opened, id, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId again;
    EXPECT_NE(appendToModelSpace(opened, again), Acad::eOk);
    opened->close();
}

}  // namespace
