// Symbol tables: the default drawing, look-ups by exact name without regard to case, additions and iterators.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/item_dxf_filer.h"
#include "test_entity.h"

namespace {

struct DefaultRecordCase {
    const char* name;
    int table;  // 0 layer, 1 text style, 2 linetype, 3 regapp, 4 block, 5 dimstyle, 6 viewport
    const wchar_t* record;
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const DefaultRecordCase& c, std::ostream* os)
{
    *os << c.name;
}


class DefaultDrawing : public ::testing::TestWithParam<DefaultRecordCase> {};

TEST_P(DefaultDrawing, HoldsTheStandardRecord)
{
    const DefaultRecordCase& c = GetParam();
    ScopedDatabase db;
    AcDbObjectId tables[] = {db->layerTableId(),  db->textStyleTableId(), db->linetypeTableId(),
                             db->regAppTableId(), db->blockTableId(),     db->dimStyleTableId(),
                             db->viewportTableId()};
    AcDbSymbolTable* table = nullptr;
    ASSERT_EQ(acdbOpenObject(table, tables[c.table], AcDb::kForRead), Acad::eOk) << c.name;
    EXPECT_TRUE(table->has(c.record)) << c.name;
    table->close();
}

INSTANTIATE_TEST_SUITE_P(
    Database, DefaultDrawing,
    ::testing::Values(DefaultRecordCase{"layer_0", 0, L"0"}, DefaultRecordCase{"style_standard", 1, L"Standard"},
                      DefaultRecordCase{"linetype_byblock", 2, L"ByBlock"},
                      DefaultRecordCase{"linetype_bylayer", 2, L"ByLayer"},
                      DefaultRecordCase{"linetype_continuous", 2, L"Continuous"},
                      DefaultRecordCase{"regapp_acad", 3, L"ACAD"},
                      DefaultRecordCase{"model_space", 4, L"*Model_Space"},
                      DefaultRecordCase{"paper_space", 4, L"*Paper_Space"},
                      DefaultRecordCase{"dimstyle_standard", 5, L"Standard"},
                      DefaultRecordCase{"viewport_active", 6, L"*Active"}),
    [](const ::testing::TestParamInfo<DefaultRecordCase>& info) { return std::string(info.param.name); });

TEST(DefaultDrawing, HeaderValues)
{
    ScopedDatabase db;
    EXPECT_DOUBLE_EQ(db->textsize(), 2.5);
    EXPECT_EQ(db->lunits(), 2);
    EXPECT_EQ(db->luprec(), 4);
    EXPECT_EQ(db->plinetype(), 2);
    EXPECT_EQ(db->pdmode(), 0);
    EXPECT_DOUBLE_EQ(db->ltscale(), 1.0);
    EXPECT_DOUBLE_EQ(db->limmax().x, 420.0);
    EXPECT_DOUBLE_EQ(db->limmax().y, 297.0);
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, db->clayer(), AcDb::kForRead), Acad::eOk);
    const ACHAR* name = nullptr;
    layer->getName(name);
    EXPECT_STREQ(name, L"0");
    EXPECT_EQ(layer->color().colorIndex(), 7);
    EXPECT_EQ(layer->linetypeObjectId(), db->continuousLinetype());
    layer->close();
    AcDbTextStyleTableRecord* style = nullptr;
    ASSERT_EQ(acdbOpenObject(style, db->textstyle(), AcDb::kForRead), Acad::eOk);
    style->getName(name);
    EXPECT_STREQ(name, L"Standard");
    style->close();
    EXPECT_EQ(db->celtype(), db->byLayerLinetype());
    EXPECT_FALSE(db->groupDictionaryId().isNull());
}

TEST(DefaultDrawing, HeaderSettersRefuseBadValues)
{
    ScopedDatabase db;
    EXPECT_EQ(db->setTextsize(0.0), Acad::eInvalidInput);
    EXPECT_EQ(db->setTextsize(-1.0), Acad::eInvalidInput);
    EXPECT_EQ(db->setLuprec(9), Acad::eInvalidInput);
    EXPECT_EQ(db->setLunits(0), Acad::eInvalidInput);
    EXPECT_EQ(db->setPlinetype(3), Acad::eInvalidInput);
    EXPECT_EQ(db->setClayer(db->textstyle()), Acad::eInvalidInput);
    EXPECT_EQ(db->setClayer(AcDbObjectId()), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(db->textsize(), 2.5);
    EXPECT_EQ(db->luprec(), 4);
}

struct LookUpCase {
    const char* name;
    const wchar_t* query;
    bool found;
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const LookUpCase& c, std::ostream* os)
{
    *os << c.name;
}


class LayerLookUp : public ::testing::TestWithParam<LookUpCase> {};

TEST_P(LayerLookUp, ExactNameWithoutRegardToCase)
{
    const LookUpCase& c = GetParam();
    ScopedDatabase db;
    AcDbObjectId id = addLayer(db.get(), L"Talus Été");
    ASSERT_FALSE(id.isNull());
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table), Acad::eOk);
    AcDbObjectId found;
    Acad::ErrorStatus es = table->getAt(c.query, found);
    table->close();
    EXPECT_EQ(es, c.found ? Acad::eOk : Acad::eKeyNotFound) << c.name;
    EXPECT_EQ(found, c.found ? id : AcDbObjectId()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Database, LayerLookUp,
                         ::testing::Values(LookUpCase{"same", L"Talus Été", true},
                                           LookUpCase{"upper", L"TALUS ÉTÉ", true},
                                           LookUpCase{"lower", L"talus été", true},
                                           LookUpCase{"leading_blank", L" Talus Été", false},
                                           LookUpCase{"trailing_blank", L"Talus Été ", false},
                                           LookUpCase{"prefix", L"Talus", false}, LookUpCase{"empty", L"", false}),
                         [](const ::testing::TestParamInfo<LookUpCase>& info) { return std::string(info.param.name); });

TEST(SymbolTable, AddRefusals)
{
    ScopedDatabase db;
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbLayerTableRecord dup;
    dup.setName(L"0");
    EXPECT_EQ(table->add(&dup), Acad::eDuplicateRecordName);
    AcDbLayerTableRecord unnamed;
    EXPECT_EQ(table->add(&unnamed), Acad::eInvalidSymbolTableName);
    AcDbTextStyleTableRecord wrongKind;
    wrongKind.setName(L"X");
    EXPECT_EQ(static_cast<AcDbSymbolTable*>(table)->add(&wrongKind), Acad::eWrongObjectType);
    EXPECT_EQ(table->add(static_cast<AcDbLayerTableRecord*>(nullptr)), Acad::eNullObjectPointer);
    table->close();

    ASSERT_EQ(db->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord fresh;
    fresh.setName(L"Fresh");
    {
        kelvora::QuietMisuse quiet;
        EXPECT_EQ(table->add(&fresh), Acad::eNotOpenForWrite);
    }
    table->close();
}

TEST(SymbolTable, NameRules)
{
    AcDbLayerTableRecord rec;
    EXPECT_EQ(rec.setName(L"a<b"), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(rec.setName(L""), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(rec.setName(L"_Grands_traits_taluts"), Acad::eOk);
    EXPECT_EQ(rec.setName(L"*Model_Space"), Acad::eOk);
    EXPECT_EQ(rec.setName(L"a*b"), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(rec.setName(nullptr), Acad::eNullObjectPointer);
    ScopedDatabase db;
    AcDbObjectId id = addLayer(db.get(), L"Other");
    AcDbLayerTableRecord* other = nullptr;
    ASSERT_EQ(acdbOpenObject(other, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(other->setName(L"0"), Acad::eDuplicateRecordName);
    EXPECT_EQ(other->setName(L"OTHER"), Acad::eOk);
    other->close();
}

TEST(SymbolTable, ErasedRecordsAreNotFoundUnlessAsked)
{
    ScopedDatabase db;
    AcDbObjectId id = addLayer(db.get(), L"Gone");
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForWrite), Acad::eOk);
    o->erase();
    o->close();
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(table->has(L"Gone"));
    EXPECT_FALSE(table->has(id));
    AcDbObjectId found;
    EXPECT_EQ(table->getAt(L"Gone", found, true), Acad::eOk);
    EXPECT_EQ(found, id);
    // The name is free again.
    auto* again = new AcDbLayerTableRecord();
    again->setName(L"Gone");
    AcDbObjectId againId;
    EXPECT_EQ(table->add(againId, again), Acad::eOk);
    again->close();
    EXPECT_EQ(table->getAt(L"Gone", found), Acad::eOk);
    EXPECT_EQ(found, againId);
    table->close();
}

// Names are found through an index of the table: among thousands of records, after erasures, renames
// and a cancelled rename, it must answer as a search from the first record would.
TEST(SymbolTable, NamesAmongThousandsOfRecordsAnswerAsASearchWould)
{
    ScopedDatabase db;
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < 2000; ++i)
        ids.push_back(addLayer(db.get(), (L"L" + std::to_wstring(i)).c_str()));
    auto lookUp = [&](const wchar_t* name, bool erased = false) {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(db->getLayerTable(table), Acad::eOk);
        AcDbObjectId found;
        table->getAt(name, found, erased);
        table->close();
        return found;
    };
    auto erase = [](AcDbObjectId id) {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForWrite), Acad::eOk);
        o->erase();
        o->close();
    };
    EXPECT_EQ(lookUp(L"l1234"), ids[1234]);
    EXPECT_EQ(lookUp(L"L1999"), ids[1999]);
    EXPECT_TRUE(lookUp(L"L2000").isNull());
    // Erased, then a namesake added: the live one; both erased: the first in table order.
    erase(ids[500]);
    const AcDbObjectId again = addLayer(db.get(), L"l500");
    EXPECT_EQ(lookUp(L"L500"), again);
    erase(again);
    EXPECT_TRUE(lookUp(L"L500").isNull());
    EXPECT_EQ(lookUp(L"L500", true), ids[500]);
    // A rename, and a rename cancelled.
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, ids[7], AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(layer->setName(L"Seven"), Acad::eOk);
    layer->close();
    EXPECT_TRUE(lookUp(L"L7").isNull());
    EXPECT_EQ(lookUp(L"SEVEN"), ids[7]);
    ASSERT_EQ(acdbOpenObject(layer, ids[8], AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(layer->setName(L"Eight"), Acad::eOk);
    EXPECT_EQ(lookUp(L"Eight"), ids[8]);
    ASSERT_EQ(layer->cancel(), Acad::eOk);
    EXPECT_TRUE(lookUp(L"Eight").isNull());
    EXPECT_EQ(lookUp(L"L8"), ids[8]);
}

TEST(SymbolTable, IteratorSkipsErasedAndKeepsOrder)
{
    ScopedDatabase db;
    AcDbObjectId a = addLayer(db.get(), L"A");
    AcDbObjectId b = addLayer(db.get(), L"B");
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, a, AcDb::kForWrite), Acad::eOk);
    o->erase();
    o->close();
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table), Acad::eOk);
    AcDbLayerTableIterator* it = nullptr;
    ASSERT_EQ(table->newIterator(it), Acad::eOk);
    table->close();
    std::vector<std::wstring> names;
    for (; !it->done(); it->step()) {
        AcDbLayerTableRecord* layer = nullptr;
        ASSERT_EQ(it->getRecord(layer), Acad::eOk);
        const ACHAR* n = nullptr;
        layer->getName(n);
        names.emplace_back(n);
        layer->close();
    }
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], L"0");
    EXPECT_EQ(names[1], L"B");
    AcDbObjectId id;
    EXPECT_EQ(it->getRecordId(id), Acad::eInvalidIndex);
    it->start(true, false);
    it->step(true, false);
    ASSERT_EQ(it->getRecordId(id), Acad::eOk);
    EXPECT_EQ(id, a);
    EXPECT_EQ(it->seek(b), Acad::eOk);
    delete it;
}

TEST(BlockTableRecord, IteratorWalksBackwardsPastErasedEntities)
{
    ScopedDatabase db;
    AcDbObjectId first = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(0, 0, 0), 1.0, L"first"));
    AcDbObjectId middle = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 0, 0), 1.0, L"middle"));
    AcDbObjectId last = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(2, 0, 0), 1.0, L"last"));
    for (AcDbObjectId gone : {last, middle}) {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, gone, AcDb::kForWrite), Acad::eOk);
        o->erase();
        o->close();
    }
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db->getSymbolTable(blocks, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(blocks->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForRead), Acad::eOk);
    blocks->close();
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(ms->newIterator(it, false, true), Acad::eOk);
    ms->close();
    std::vector<AcDbObjectId> seen;
    for (; !it->done(); it->step(false, true)) {
        AcDbObjectId id;
        ASSERT_EQ(it->getEntityId(id), Acad::eOk);
        seen.push_back(id);
    }
    EXPECT_EQ(seen, std::vector<AcDbObjectId>{first});
    it->start(false, false);
    AcDbObjectId id;
    ASSERT_EQ(it->getEntityId(id), Acad::eOk);
    EXPECT_EQ(id, last) << "without skipping, the walk starts at the erased last entity";
    delete it;
}

TEST(BlockTableRecord, AppendKeepsDrawingOrderAndSetsDefaults)
{
    ScopedDatabase db;
    AcDbObjectId layer = addLayer(db.get(), L"Current");
    db->setClayer(layer);
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db->getSymbolTable(blocks, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(blocks->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
    blocks->close();
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < 3; ++i) {
        auto* dot = new TestDot(AcGePoint3d(i, 0, 0), 1, L"");
        AcDbObjectId id;
        ASSERT_EQ(ms->appendAcDbEntity(id, dot), Acad::eOk);
        EXPECT_EQ(dot->ownerId(), ms->objectId());
        EXPECT_EQ(dot->layerId(), layer);
        dot->close();
        ids.push_back(id);
    }
    EXPECT_EQ(ms->appendAcDbEntity(static_cast<AcDbEntity*>(nullptr)), Acad::eNullEntityPointer);
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(ms->newIterator(it), Acad::eOk);
    ms->close();
    size_t k = 0;
    for (; !it->done(); it->step(), ++k) {
        AcDbObjectId id;
        it->getEntityId(id);
        ASSERT_LT(k, ids.size());
        EXPECT_EQ(id, ids[k]);
    }
    EXPECT_EQ(k, ids.size());
    delete it;
    TestDot* first = nullptr;
    ASSERT_EQ(acdbOpenObject(first, ids[0], AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* again = nullptr;
    ASSERT_EQ(acdbOpenObject(again, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(again->appendAcDbEntity(first), Acad::eAlreadyInDb);
    again->close();
    first->close();
}

TEST(LayerRecord, StatesSurviveADxfRoundTrip)
{
    ScopedDatabase db;
    AcDbObjectId id = addLayer(db.get(), L"States");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->setIsOff(true);
    layer->setIsLocked(true);
    layer->setIsFrozen(true);
    AcCmColor c;
    c.setColorIndex(5);
    layer->setColor(c);
    layer->setLinetypeObjectId(db->continuousLinetype());
    layer->close();
    kelvora::ItemListDxfFiler out(db.get());
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(layer->dxfOutFields(&out), Acad::eOk);
    layer->close();
    EXPECT_EQ(out.itemAt(out.find(AcDb::kDxfColor))->resval.rint, -5) << "an off layer has a negative colour";
    EXPECT_EQ(out.itemAt(out.find(AcDb::kDxfInt16))->resval.rint, 5) << "frozen 1 + locked 4";
    AcDbLayerTableRecord back;
    out.rewindFiler();
    ASSERT_EQ(back.dxfInFields(&out), Acad::eOk);
    const ACHAR* name = nullptr;
    back.getName(name);
    EXPECT_STREQ(name, L"States");
    EXPECT_TRUE(back.isOff());
    EXPECT_TRUE(back.isLocked());
    EXPECT_TRUE(back.isFrozen());
    EXPECT_EQ(back.color().colorIndex(), 5);
    EXPECT_EQ(back.linetypeObjectId(), db->continuousLinetype());
}

}  // namespace
