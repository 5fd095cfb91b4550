// Copies through the objects' own filing, extended data, and the DXF filing of the common object and entity data.
#include <gtest/gtest.h>

#include <cwchar>

#include "acutads.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"
#include "kelvora/resbuf_util.h"
#include "test_entity.h"

namespace {

TEST(Clone, CopiesThroughTheObjectsFiling)
{
    ScopedDatabase db;
    addRegApp(db.get(), L"APP");
    AcDbObjectId red = addLayer(db.get(), L"Red");
    auto* dot = new TestDot(AcGePoint3d(3, 4, 5), 2.5, L"Lot ");
    dot->setLayer(red);
    dot->setColorIndex(1);
    dot->setLinetypeScale(2.0);
    resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"APP", AcDb::kDxfXdInteger16, 12, 0);
    ASSERT_EQ(dot->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    AcDbObjectId id = appendToModelSpace(db.get(), dot);

    TestDot* src = nullptr;
    ASSERT_EQ(acdbOpenObject(src, id, AcDb::kForRead), Acad::eOk);
    auto* copy = TestDot::cast(src->clone());
    src->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->objectId().isNull());
    EXPECT_TRUE(copy->ownerId().isNull());
    EXPECT_DOUBLE_EQ(copy->radius(), 2.5);
    EXPECT_EQ(copy->label(), L"Lot ");
    EXPECT_EQ(copy->centre().z, 5.0);
    EXPECT_EQ(copy->layerId(), red);
    EXPECT_EQ(copy->colorIndex(), 1);
    EXPECT_DOUBLE_EQ(copy->linetypeScale(), 2.0);
    resbuf* copied = copy->xData(L"APP");
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(copied->rbnext, nullptr);
    EXPECT_EQ(copied->rbnext->resval.rint, 12);
    acutRelRb(copied);
    // The copy goes into the drawing as any new entity, with a new handle.
    AcDbObjectId copyId = appendToModelSpace(db.get(), copy);
    EXPECT_NE(copyId, id);
    EXPECT_GT(copyId.handle(), id.handle());
}

TEST(Clone, CopyFromAnotherClassIsRefused)
{
    registerTestClasses();
    TestDot dot;
    TestTag tag;
    EXPECT_EQ(dot.copyFrom(&tag), Acad::eNotThatKindOfClass);
    TestDot other(AcGePoint3d(1, 1, 1), 9.0, L"x");
    EXPECT_EQ(dot.copyFrom(&other), Acad::eOk);
    EXPECT_DOUBLE_EQ(dot.radius(), 9.0);
}

TEST(XData, ReplacesByApplicationAndChecksRegistration)
{
    ScopedDatabase db;
    addRegApp(db.get(), L"ONE");
    addRegApp(db.get(), L"TWO");
    TestDot dot;
    resbuf* both = acutBuildList(AcDb::kDxfRegAppName, L"ONE", AcDb::kDxfXdAsciiString, L"a", AcDb::kDxfRegAppName,
                                 L"TWO", AcDb::kDxfXdReal, 2.0, 0);
    ASSERT_EQ(dot.setXData(both), Acad::eOk);
    acutRelRb(both);
    resbuf* newOne = acutBuildList(AcDb::kDxfRegAppName, L"one", AcDb::kDxfXdAsciiString, L"b", 0);
    ASSERT_EQ(dot.setXData(newOne), Acad::eOk);
    acutRelRb(newOne);
    resbuf* all = dot.xData();
    ASSERT_EQ(kelvora::resbufListLength(all), 4);
    EXPECT_STREQ(all->resval.rstring, L"TWO");
    EXPECT_STREQ(all->rbnext->rbnext->rbnext->resval.rstring, L"b");
    acutRelRb(all);
    resbuf* removeTwo = acutBuildList(AcDb::kDxfRegAppName, L"TWO", 0);
    ASSERT_EQ(dot.setXData(removeTwo), Acad::eOk);
    acutRelRb(removeTwo);
    EXPECT_EQ(dot.xData(L"TWO"), nullptr);
    resbuf* unknown = acutBuildList(AcDb::kDxfRegAppName, L"NOPE", AcDb::kDxfXdInteger16, 1, 0);
    EXPECT_EQ(dot.setXData(unknown), Acad::eRegappIdNotFound);
    acutRelRb(unknown);
    resbuf* noApp = acutBuildList(AcDb::kDxfXdInteger16, 1, 0);
    EXPECT_EQ(dot.setXData(noApp), Acad::eInvalidResBuf);
    acutRelRb(noApp);
}

TEST(DxfFiling, EntityCommonGroupsRoundTrip)
{
    ScopedDatabase db;
    AcDbObjectId red = addLayer(db.get(), L"Red");
    auto* dot = new TestDot(AcGePoint3d(1, 2, 3), 4, L"txt");
    dot->setLayer(red);
    AcCmColor rgb;
    rgb.setRGB(10, 20, 30);
    dot->setColor(rgb);
    dot->setLineWeight(AcDb::kLnWt050);
    dot->setLinetypeScale(0.5);
    dot->setVisibility(AcDb::kInvisible);
    AcDbObjectId id = appendToModelSpace(db.get(), dot);

    kelvora::ItemListDxfFiler out(db.get());
    TestDot* src = nullptr;
    ASSERT_EQ(acdbOpenObject(src, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(src->dxfOutFields(&out), Acad::eOk);
    src->close();

    // The groups the host writes, in order.
    int sub = out.find(AcDb::kDxfSubclass);
    ASSERT_GE(sub, 0);
    EXPECT_STREQ(out.itemAt(sub)->resval.rstring, L"AcDbEntity");
    EXPECT_STREQ(out.itemAt(out.find(AcDb::kDxfLayerName))->resval.rstring, L"Red");
    EXPECT_EQ(out.itemAt(out.find(AcDb::kDxfColorRGB))->resval.rlong, 0x0A141E);
    EXPECT_EQ(out.itemAt(out.find(AcDb::kDxfLineWeight))->resval.rint, 50);
    EXPECT_DOUBLE_EQ(out.itemAt(out.find(AcDb::kDxfLinetypeScale))->resval.rreal, 0.5);
    EXPECT_EQ(out.itemAt(out.find(AcDb::kDxfVisibility))->resval.rint, 1);
    EXPECT_EQ(out.find(AcDb::kDxfLinetypeName), -1) << "ByLayer is the default, not written";
    wchar_t hex[20];
    id.handle().getIntoAsciiBuffer(hex, 20);
    EXPECT_STREQ(out.itemAt(out.find(AcDb::kDxfHandle))->resval.rstring, hex);

    // Read into a new object: the handle waits for the object to join a database.
    TestDot back;
    out.rewindFiler();
    ASSERT_EQ(back.dxfInFields(&out), Acad::eOk);
    EXPECT_EQ(kelvora::pendingHandle(&back), id.handle());
    EXPECT_EQ(back.layerId(), red);
    EXPECT_TRUE(back.color().isByColor());
    EXPECT_EQ(back.color().green(), 20);
    EXPECT_EQ(back.lineWeight(), AcDb::kLnWt050);
    EXPECT_DOUBLE_EQ(back.linetypeScale(), 0.5);
    EXPECT_EQ(back.visibility(), AcDb::kInvisible);
    EXPECT_DOUBLE_EQ(back.radius(), 4.0);
    EXPECT_EQ(back.label(), L"txt");
}

TEST(DxfFiling, UnknownCommonGroupsAreKeptAndReaderStopsAtForeignGroup)
{
    ScopedDatabase db;
    kelvora::ItemListDxfFiler in(db.get());
    in.appendString(AcDb::kDxfSubclass, L"AcDbEntity");
    in.appendString(AcDb::kDxfLayoutName, L"Model");
    in.appendString(AcDb::kDxfLayerName, L"NewLayer");
    in.appendInt(AcDb::kDxfColor, -3);
    in.appendInt(92, 4);  // proxy graphics size: dropped
    in.appendString(AcDb::kDxfSubclass, L"Other");
    TestDot dot;
    ASSERT_EQ(dot.AcDbEntity::dxfInFields(&in), Acad::eOk);
    EXPECT_EQ(dot.colorIndex(), 3);
    // The layer named only by the entity was made.
    EXPECT_FALSE(dot.layerId().isNull());
    ACHAR* name = dot.layer();
    EXPECT_STREQ(name, L"NewLayer");
    acutDelString(name);
    // The reader stopped at the group it does not own.
    EXPECT_EQ(in.position(), 5);
    kelvora::ItemListDxfFiler out(db.get());
    dot.AcDbEntity::dxfOutFields(&out);
    int layout = out.find(AcDb::kDxfLayoutName);
    ASSERT_GE(layout, 0);
    EXPECT_STREQ(out.itemAt(layout)->resval.rstring, L"Model");
    EXPECT_EQ(out.find(92), -1);
}

TEST(DxfFiling, ObjectGroupsReactorsAndExtensionDictionary)
{
    ScopedDatabase db;
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot());
    AcDbObjectId b = appendToModelSpace(db.get(), new TestDot());
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, a, AcDb::kForWrite), Acad::eOk);
    o->addPersistentReactor(b);
    ASSERT_EQ(o->createExtensionDictionary(), Acad::eOk);
    EXPECT_EQ(o->createExtensionDictionary(), Acad::eAlreadyInDb);
    AcDbObjectId dict = o->extensionDictionary();
    kelvora::ItemListDxfFiler out(db.get());
    ASSERT_EQ(o->dxfOutFields(&out), Acad::eOk);
    o->close();

    TestDot back;
    out.rewindFiler();
    ASSERT_EQ(back.dxfInFields(&out), Acad::eOk);
    EXPECT_TRUE(back.hasPersistentReactor(b));
    EXPECT_EQ(back.extensionDictionary(), dict);
    EXPECT_EQ(back.ownerId(), db->modelSpaceId());
}

TEST(DxfFiling, ExtendedDataFollowsTheFields)
{
    ScopedDatabase db;
    addRegApp(db.get(), L"APP");
    TestDot dot;
    resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"APP", AcDb::kDxfXdInteger32, 77, 0);
    dot.setXData(xd);
    acutRelRb(xd);
    kelvora::ItemListDxfFiler out(db.get());
    ASSERT_EQ(dot.dxfOut(&out), Acad::eOk);
    int app = out.find(AcDb::kDxfRegAppName);
    ASSERT_GE(app, 0);
    EXPECT_GT(app, out.find(AcDb::kDxfText)) << "extended data comes after the object's own groups";
    TestDot back;
    out.rewindFiler();
    ASSERT_EQ(back.dxfIn(&out), Acad::eOk);
    resbuf* got = back.xData(L"APP");
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->rbnext->resval.rlong, 77);
    acutRelRb(got);
}

TEST(Dictionary, EntriesOwnershipAndIteration)
{
    ScopedDatabase db;
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(nod->has(L"acad_group"));
    auto* mine = new AcDbDictionary();
    AcDbObjectId mineId;
    ASSERT_EQ(nod->setAt(L"KELVORA_DATA", mine, mineId), Acad::eOk);
    mine->close();
    AcDbDictionary unnamed;
    AcDbObjectId unnamedId;
    EXPECT_EQ(nod->setAt(L"", &unnamed, unnamedId), Acad::eInvalidKey);
    AcDbObjectId found;
    EXPECT_EQ(nod->getAt(L"kelvora_data", found), Acad::eOk);
    EXPECT_EQ(found, mineId);
    AcDbDictionaryIterator* it = nod->newIterator();
    std::vector<std::wstring> keys;
    for (; !it->done(); it->next())
        keys.emplace_back(it->name());
    delete it;
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], L"ACAD_GROUP");
    EXPECT_EQ(keys[1], L"KELVORA_DATA");
    AcDbObjectId removed;
    EXPECT_EQ(nod->remove(L"KELVORA_DATA", removed), Acad::eOk);
    EXPECT_EQ(removed, mineId);
    EXPECT_EQ(nod->getAt(L"KELVORA_DATA", found), Acad::eKeyNotFound);
    nod->close();
}

}  // namespace
