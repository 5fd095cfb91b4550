// Tests of LAYER, STYLE and INSERT: layers made, coloured, locked, turned off and set current; text styles; block references.
#include <gtest/gtest.h>

#include <numbers>

#include "command_session.h"
#include "dbents.h"
#include "kelvora/undo.h"

namespace kelvora::test {
namespace {

struct LayerState {
    bool exists = false;
    int color = 0;
    bool off = false, locked = false, frozen = false;
};

LayerState stateOf(const CommandSession& session, const wchar_t* name)
{
    LayerState state;
    AcDbObjectPointer<AcDbLayerTableRecord> layer(session.layer(name), AcDb::kForRead);
    if (layer.openStatus() != Acad::eOk)
        return state;
    state.exists = true;
    state.color = layer->color().colorIndex();
    state.off = layer->isOff();
    state.locked = layer->isLocked();
    state.frozen = layer->isFrozen();
    return state;
}

TEST(LayerCommand, MakesColoursLocksTurnsOffAndSetsCurrent)
{
    CommandSession session(
        "M\nPARCELLES\nC\n1\nPARCELLES\nM\nCLOTURES\nM\nBORNES\nLO\nBORNES\nS\nPARCELLES\nOFF\nCLOTURES\n\n");
    session.run(L"LAYER");
    LayerState parcelles = stateOf(session, L"PARCELLES");
    LayerState clotures = stateOf(session, L"CLOTURES");
    LayerState bornes = stateOf(session, L"BORNES");
    ASSERT_TRUE(parcelles.exists && clotures.exists && bornes.exists) << session.out();
    EXPECT_EQ(parcelles.color, 1);
    EXPECT_FALSE(parcelles.off || parcelles.locked);
    EXPECT_TRUE(clotures.off);
    EXPECT_EQ(clotures.color, 7);
    EXPECT_TRUE(bornes.locked);
    EXPECT_EQ(session.db()->clayer(), session.layer(L"PARCELLES"));
}

TEST(LayerCommand, ColourOfAMissingLayerMakesIt)
{
    CommandSession session("C\nred\nNOUVEAU\n\n");
    session.run(L"LAYER");
    LayerState made = stateOf(session, L"NOUVEAU");
    EXPECT_TRUE(made.exists);
    EXPECT_EQ(made.color, 1);
    EXPECT_EQ(session.db()->clayer(), session.layer(L"0"));
}

TEST(LayerCommand, AColourOutOfRangeIsAskedAgain)
{
    CommandSession session("C\n300\n5\nA\n\n");
    session.run(L"LAYER");
    EXPECT_EQ(stateOf(session, L"A").color, 5);
    EXPECT_NE(session.out().find("Requires a color number"), std::string::npos);
}

TEST(LayerCommand, NameListsAndPatterns)
{
    CommandSession session("N\nA1, A2,B1\nLO\nA*\nOFF\n?1\n\n");
    session.run(L"LAYER");
    EXPECT_TRUE(stateOf(session, L"A1").locked);
    EXPECT_TRUE(stateOf(session, L"A2").locked);
    EXPECT_FALSE(stateOf(session, L"B1").locked);
    EXPECT_TRUE(stateOf(session, L"A1").off);
    EXPECT_TRUE(stateOf(session, L"B1").off);
    EXPECT_FALSE(stateOf(session, L"A2").off);
}

TEST(LayerCommand, UnlockAndOnUndoLockAndOff)
{
    CommandSession session("LO\n0\nOFF\n0\nU\n0\nON\n0\n\n");
    session.run(L"LAYER");
    LayerState zero = stateOf(session, L"0");
    EXPECT_FALSE(zero.locked);
    EXPECT_FALSE(zero.off);
}

TEST(LayerCommand, SetOnAMissingLayerSaysSoAndChangesNothing)
{
    CommandSession session("S\nABSENT\n\n");
    session.run(L"LAYER");
    EXPECT_FALSE(stateOf(session, L"ABSENT").exists);
    EXPECT_EQ(session.db()->clayer(), session.layer(L"0"));
    EXPECT_NE(session.out().find("\nCannot find layer \"ABSENT\"."), std::string::npos) << session.out();
}

TEST(LayerCommand, TheCurrentLayerCannotBeFrozen)
{
    CommandSession session("F\n0\nM\nX\nF\n0\n\n");
    session.run(L"LAYER");
    EXPECT_TRUE(stateOf(session, L"0").frozen);
    EXPECT_NE(session.out().find("It is the CURRENT layer."), std::string::npos) << session.out();
}

TEST(LayerCommand, AnInvalidNameIsRefused)
{
    CommandSession session("M\nA<B\n\n");
    session.run(L"LAYER");
    EXPECT_FALSE(stateOf(session, L"A<B").exists);
    EXPECT_NE(session.out().find("Invalid layer name"), std::string::npos) << session.out();
}

TEST(LayerCommand, TheWholeCommandIsOneUndoStep)
{
    CommandSession session("M\nA\nM\nB\nLO\nA\n\n");
    session.run(L"LAYER");
    ASSERT_TRUE(stateOf(session, L"B").exists);
    ASSERT_EQ(undo(1, session.db()), 1);
    EXPECT_FALSE(stateOf(session, L"A").exists);
    EXPECT_FALSE(stateOf(session, L"B").exists);
    EXPECT_EQ(session.db()->clayer(), session.layer(L"0"));
}

// ----- STYLE -------------------------------------------------------------------------------------

TEST(StyleCommand, AddsAStyleWithItsFontAndHeightAndMakesItCurrent)
{
    CommandSession session("ROMANS\nromans.shx\n0\n");
    session.run(L"STYLE");
    AcDbObjectPointer<AcDbTextStyleTableRecord> style(session.db()->textstyle(), AcDb::kForRead);
    ASSERT_EQ(style.openStatus(), Acad::eOk);
    const ACHAR* name = nullptr;
    const ACHAR* file = nullptr;
    style->getName(name);
    style->fileName(file);
    EXPECT_EQ(std::wstring(name), L"ROMANS");
    EXPECT_EQ(std::wstring(file), L"romans.shx");
    EXPECT_NEAR(style->textSize(), 0.0, kCoordTolerance);
    EXPECT_NE(session.out().find("\n\"ROMANS\" is now the current text style."), std::string::npos);
}

TEST(StyleCommand, EnterKeepsTheFontAndHeightOfAnExistingStyle)
{
    CommandSession session("Standard\n\n2\n");
    std::wstring before;
    {
        AcDbObjectPointer<AcDbTextStyleTableRecord> style(session.db()->textstyle(), AcDb::kForRead);
        const ACHAR* file = nullptr;
        style->fileName(file);
        before = file != nullptr ? file : L"";
    }
    session.run(L"STYLE");
    AcDbObjectPointer<AcDbTextStyleTableRecord> style(session.db()->textstyle(), AcDb::kForRead);
    const ACHAR* file = nullptr;
    style->fileName(file);
    EXPECT_EQ(std::wstring(file != nullptr ? file : L""), before);
    EXPECT_NEAR(style->textSize(), 2.0, kCoordTolerance);
}

// ----- INSERT ------------------------------------------------------------------------------------

// A block "ARBRE" around 50,50: a circle of radius 2 and a line across it, and an attribute "NUM".
AcDbObjectId makeTreeBlock(AcDbDatabase* db)
{
    AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForWrite);
    auto* record = new AcDbBlockTableRecord();
    record->setName(L"ARBRE");
    record->setOrigin(AcGePoint3d(50, 50, 0));
    AcDbObjectId id;
    if (table->add(id, record) != Acad::eOk) {
        delete record;
        return AcDbObjectId();
    }
    auto* circle = new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 2);
    auto* line = new AcDbLine(AcGePoint3d(48, 50, 0), AcGePoint3d(52, 50, 0));
    auto* tag = new AcDbAttributeDefinition(AcGePoint3d(53, 50, 0), L"?", L"NUM", L"Numéro de l'arbre");
    for (AcDbEntity* entity : {static_cast<AcDbEntity*>(circle), static_cast<AcDbEntity*>(line),
                               static_cast<AcDbEntity*>(tag)}) {
        if (record->appendAcDbEntity(entity) == Acad::eOk)
            entity->close();
        else
            delete entity;
    }
    record->close();
    return id;
}

TEST(InsertCommand, PlacesTheBlockWithScaleRotationAndAttribute)
{
    CommandSession session("ARBRE\n100,100\n2\n90\n17\n");
    AcDbObjectId blockId = makeTreeBlock(session.db());
    ASSERT_FALSE(blockId.isNull());
    session.run(L"INSERT");
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDbBlockReference>();
    ASSERT_EQ(ids.size(), 1u) << session.out();
    AcDbObjectPointer<AcDbBlockReference> reference(ids[0], AcDb::kForRead);
    EXPECT_EQ(reference->blockTableRecord(), blockId);
    expectPoint(reference->position(), 100, 100);
    EXPECT_NEAR(reference->scaleFactors().sx, 2, kCoordTolerance);
    EXPECT_NEAR(reference->scaleFactors().sy, 2, kCoordTolerance);
    EXPECT_NEAR(reference->rotation(), std::numbers::pi / 2, kCoordTolerance);
    // The block's base point lands on the insertion point.
    AcGePoint3d base = AcGePoint3d(50, 50, 0);
    base.transformBy(reference->blockTransform());
    expectPoint(base, 100, 100);
    EXPECT_NE(session.out().find("\nNuméro de l'arbre <?>: 17"), std::string::npos) << session.out();

    AcDbObjectIterator* it = reference->attributeIterator();
    ASSERT_NE(it, nullptr);
    int count = 0;
    for (it->start(); !it->done(); it->step()) {
        AcDbObjectPointer<AcDbAttribute> attribute(it->objectId(), AcDb::kForRead);
        ASSERT_EQ(attribute.openStatus(), Acad::eOk);
        EXPECT_EQ(std::wstring(attribute->tagConst()), L"NUM");
        EXPECT_EQ(std::wstring(attribute->textStringConst()), L"17");
        ++count;
    }
    delete it;
    EXPECT_EQ(count, 1);
}

TEST(InsertCommand, EnterTakesScaleOneAndNoRotation)
{
    CommandSession session("ARBRE\n0,0\n\n\n\n");
    makeTreeBlock(session.db());
    session.run(L"INSERT");
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDbBlockReference>();
    ASSERT_EQ(ids.size(), 1u);
    AcDbObjectPointer<AcDbBlockReference> reference(ids[0], AcDb::kForRead);
    EXPECT_NEAR(reference->scaleFactors().sx, 1, kCoordTolerance);
    EXPECT_NEAR(reference->rotation(), 0, kCoordTolerance);
}

TEST(InsertCommand, AMissingBlockIsNamed)
{
    CommandSession session("PUITS\n");
    session.run(L"INSERT");
    EXPECT_TRUE(session.modelSpace().empty());
    EXPECT_NE(session.out().find("\nBlock \"PUITS\" not found."), std::string::npos) << session.out();
}

TEST(InsertCommand, ModelSpaceIsNotABlockToInsert)
{
    CommandSession session("*Model_Space\n");
    session.run(L"INSERT");
    EXPECT_TRUE(session.modelSpace().empty());
}

}  // namespace
}  // namespace kelvora::test
