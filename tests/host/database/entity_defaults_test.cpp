// AcDbEntity's default operations: grips in both forms, stretch, transformed copies, properties, list.
#include <gtest/gtest.h>

#include <string>

#include "acutads.h"
#include "dbgrip.h"
#include "dbsymtb.h"
#include "kelvora/host_output.h"
#include "test_entity.h"

namespace {

TEST(EntityGrips, DataFormWrapsThePointForm)
{
    registerTestClasses();
    TestDot dot(AcGePoint3d(1, 1, 0), 2.0, L"");
    AcDbGripDataPtrArray grips;
    ASSERT_EQ(dot.getGripPoints(grips, 1.0, 3, AcGeVector3d::kZAxis, 0), Acad::eOk);
    ASSERT_EQ(grips.length(), 2);
    EXPECT_EQ(grips[1]->gripPoint().x, 3.0);
    // A module's own grips use small numbers as data; they never collide with the host's tags.
    EXPECT_EQ(acdbGripIndexFromAppData(reinterpret_cast<void*>(static_cast<Adesk::IntPtr>(1000))), -1);
    EXPECT_EQ(acdbGripIndexFromAppData(grips[1]->appData()), 1);
    AcDbVoidPtrArray data;
    data.append(grips[1]->appData());
    data.append(reinterpret_cast<void*>(static_cast<Adesk::IntPtr>(1001)));
    ASSERT_EQ(dot.moveGripPointsAt(data, AcGeVector3d(0.5, 0, 0), 0), Acad::eOk);
    EXPECT_DOUBLE_EQ(dot.radius(), 2.5);
    EXPECT_EQ(dot.centre().x, 1.0);
    for (int i = 0; i < grips.length(); ++i)
        delete grips[i];
}

TEST(EntityGrips, StretchDefaultsToGrips)
{
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"");
    AcGePoint3dArray pts;
    ASSERT_EQ(dot.getStretchPoints(pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    AcDbIntArray indices;
    indices.append(0);
    ASSERT_EQ(dot.moveStretchPointsAt(indices, AcGeVector3d(0, 5, 0)), Acad::eOk);
    EXPECT_EQ(dot.centre().y, 5.0);
    indices.setAt(0, 7);
    EXPECT_EQ(dot.moveStretchPointsAt(indices, AcGeVector3d(0, 5, 0)), Acad::eInvalidIndex);
}

TEST(EntityDefaults, UnsupportedOperationsSayNotApplicable)
{
    TestTag tag;
    AcGePoint3dArray pts;
    AcDbIntArray a;
    AcDbIntArray b;
    EXPECT_EQ(tag.getGripPoints(pts, a, b), Acad::eNotApplicable);
    EXPECT_EQ(tag.transformBy(AcGeMatrix3d::kIdentity), Acad::eNotApplicable);
    AcDbVoidPtrArray pieces;
    EXPECT_EQ(tag.explode(pieces), Acad::eNotApplicable);
    EXPECT_EQ(tag.intersectWith(&tag, AcDb::kOnBothOperands, pts), Acad::eNotApplicable);
    AcDbExtents box;
    EXPECT_EQ(tag.getGeomExtents(box), Acad::eInvalidExtents) << "it draws nothing";
    AcDbEntity* copy = nullptr;
    EXPECT_EQ(tag.getTransformedCopy(AcGeMatrix3d::kIdentity, copy), Acad::eNotApplicable);
    EXPECT_EQ(copy, nullptr);
}

TEST(EntityDefaults, TransformedCopy)
{
    registerTestClasses();
    TestDot dot(AcGePoint3d(1, 0, 0), 1.0, L"a");
    AcDbEntity* copy = nullptr;
    ASSERT_EQ(dot.getTransformedCopy(AcGeMatrix3d::scaling(3.0), copy), Acad::eOk);
    auto* scaled = TestDot::cast(copy);
    ASSERT_NE(scaled, nullptr);
    EXPECT_DOUBLE_EQ(scaled->radius(), 3.0);
    EXPECT_DOUBLE_EQ(scaled->centre().x, 3.0);
    EXPECT_DOUBLE_EQ(dot.radius(), 1.0);
    delete copy;
}

TEST(EntityProperties, CopyDefaultsAndRefusals)
{
    ScopedDatabase db;
    AcDbObjectId red = addLayer(db.get(), L"Red");
    TestDot src;
    ASSERT_EQ(src.setLayer(L"red"), Acad::eOk);
    EXPECT_EQ(src.setLayer(L"Missing"), Acad::eKeyNotFound);
    EXPECT_EQ(src.setLinetype(L"Continuous"), Acad::eOk);
    EXPECT_EQ(src.setColorIndex(300), Acad::eOutOfRange);
    EXPECT_EQ(src.setLinetypeScale(0.0), Acad::eInvalidInput);
    EXPECT_EQ(src.setLineWeight(static_cast<AcDb::LineWeight>(17)), Acad::eInvalidInput);
    EXPECT_EQ(src.setLayer(db->continuousLinetype()), Acad::eWrongObjectType);
    src.setColorIndex(4);
    src.setLineWeight(AcDb::kLnWt030);
    TestTag dst;
    dst.setDatabaseDefaults();
    EXPECT_EQ(dst.layerId(), db->clayer());
    EXPECT_EQ(dst.linetypeId(), db->byLayerLinetype());
    ASSERT_EQ(dst.setPropertiesFrom(&src), Acad::eOk);
    EXPECT_EQ(dst.layerId(), red);
    EXPECT_EQ(dst.colorIndex(), 4);
    EXPECT_EQ(dst.lineWeight(), AcDb::kLnWt030);
    EXPECT_EQ(dst.linetypeId(), db->continuousLinetype());
    EXPECT_EQ(dst.setPropertiesFrom(nullptr), Acad::eNullEntityPointer);
    ACHAR* name = dst.layer();
    EXPECT_STREQ(name, L"Red");
    acutDelString(name);
}

std::wstring g_listed;
void captureList(const ACHAR* text)
{
    g_listed += text;
}

TEST(EntityList, PrintsTypeLayerAndHandleThroughTheHostSink)
{
    ScopedDatabase db;
    AcDbObjectId id = appendToModelSpace(db.get(), new TestDot());
    g_listed.clear();
    kelvora::setHostTextSink(&captureList);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    ent->list();
    ent->close();
    kelvora::setHostTextSink(nullptr);
    wchar_t hex[20];
    id.handle().getIntoAsciiBuffer(hex, 20);
    EXPECT_NE(g_listed.find(L"KVTESTDOT"), std::wstring::npos) << std::string(g_listed.begin(), g_listed.end());
    EXPECT_NE(g_listed.find(L"Layer: \"0\""), std::wstring::npos);
    EXPECT_NE(g_listed.find(L"Model space"), std::wstring::npos);
    EXPECT_NE(g_listed.find(std::wstring(L"Handle = ") + hex), std::wstring::npos);
}

TEST(Extents, EmptyAndTransformed)
{
    AcDbExtents box;
    EXPECT_FALSE(box.isValid());
    box.addPoint(AcGePoint3d(1, 2, 0));
    box.addPoint(AcGePoint3d(3, 1, 0));
    EXPECT_TRUE(box.isValid());
    EXPECT_EQ(box.minPoint().y, 1.0);
    box.transformBy(AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0)));
    EXPECT_EQ(box.minPoint().x, 11.0);
    EXPECT_EQ(box.set(AcGePoint3d(1, 1, 1), AcGePoint3d(0, 0, 0)), Acad::eInvalidExtents);
}

}  // namespace
