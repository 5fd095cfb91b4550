// eXtendedPolyline: defaults, DWG round trips with and without a reference, DXF groups and name resolution.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"
#include "special_line_fixture.h"

namespace {

TEST_F(SpecialLineTest, NewEntityHasTheDefaultDecoration)
{
    eXtendedPolyline line;
    EXPECT_EQ(line.styleCode(), 1);
    EXPECT_DOUBLE_EQ(line.spacing(), 10.0);
    EXPECT_DOUBLE_EQ(line.symbolSize(), 1.0);
    EXPECT_DOUBLE_EQ(line.gap(), 0.1);
    EXPECT_EQ(line.placement(), 0);
    EXPECT_EQ(line.lineMode(), eXtendedPolyline::kLineInterrupted);
    EXPECT_EQ(line.reservedCode(), 256u);
    EXPECT_STREQ(line.symbolText(), L"");
    EXPECT_TRUE(line.symbolRefId().isNull());
}

TEST_F(SpecialLineTest, PseudoConstructorMakesTheClassWithDefaults)
{
    AcRxClass* cls = eXtendedPolyline::desc();
    ASSERT_NE(cls, nullptr);
    std::unique_ptr<AcRxObject> made(cls->create());
    auto* line = eXtendedPolyline::cast(made.get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->isA(), cls);
    EXPECT_EQ(line->styleCode(), 1);
    EXPECT_TRUE(line->isKindOf(AcDbPolyline::desc()));
}

// Everything but the reference, which only a negative code files.
void customise(eXtendedPolyline& line, Adesk::Int32 code, AcDbObjectId ref)
{
    line.setSpacing(4.5);
    line.setSymbolSize(2.25);
    line.setGap(0.3);
    line.setPlacement(3);
    line.setLineMode(eXtendedPolyline::kLineHidden);
    line.setSymbolText(L"Clôture");
    line.setStyleCode(code);
    line.setSymbolRefId(ref);
}

TEST_F(SpecialLineTest, DwgRoundTripOfABlockDecorationKeepsTheReference)
{
    const AcDbObjectId block = addBlock(L"ARBRE");
    std::unique_ptr<eXtendedPolyline> source(line100());
    customise(*source, eXtendedPolyline::kBlockStyle, block);
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.seek(0, 0);
    eXtendedPolyline copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(copy.styleCode(), eXtendedPolyline::kBlockStyle);
    EXPECT_EQ(copy.symbolRefId(), block);
    EXPECT_DOUBLE_EQ(copy.spacing(), 4.5);
    EXPECT_DOUBLE_EQ(copy.symbolSize(), 2.25);
    EXPECT_DOUBLE_EQ(copy.gap(), 0.3);
    EXPECT_EQ(copy.placement(), 3);
    EXPECT_EQ(copy.lineMode(), eXtendedPolyline::kLineHidden);
    EXPECT_STREQ(copy.symbolText(), L"Clôture");
    EXPECT_EQ(copy.numVerts(), 2u);
}

TEST_F(SpecialLineTest, DwgOfABuiltinSymbolFilesNoReference)
{
    std::unique_ptr<eXtendedPolyline> source(line100());
    customise(*source, 5, addBlock(L"ARBRE"));
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.seek(0, 0);
    // Read the items back by hand: the placement follows the style code directly.
    AcDbPolyline plain;
    ASSERT_EQ(plain.dwgInFields(&filer), Acad::eOk);
    Adesk::UInt32 reserved = 0;
    double spacing = 0.0;
    double gap = 0.0;
    Adesk::Int32 code = 0;
    Adesk::UInt16 placement = 0;
    ASSERT_EQ(filer.readUInt32(&reserved), Acad::eOk);
    ASSERT_EQ(filer.readDouble(&spacing), Acad::eOk);
    ASSERT_EQ(filer.readDouble(&gap), Acad::eOk);
    ASSERT_EQ(filer.readInt32(&code), Acad::eOk);
    ASSERT_EQ(filer.readUInt16(&placement), Acad::eOk);
    EXPECT_EQ(reserved, 256u);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(placement, 3);
}

TEST_F(SpecialLineTest, DwgReadStopsAtTruncatedData)
{
    std::unique_ptr<eXtendedPolyline> source(line100());
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->AcDbPolyline::dwgOutFields(&filer), Acad::eOk);
    filer.writeUInt32(256);
    filer.writeDouble(7.0);
    filer.seek(0, 0);
    eXtendedPolyline copy;
    EXPECT_NE(copy.dwgInFields(&filer), Acad::eOk);
    EXPECT_DOUBLE_EQ(copy.spacing(), 7.0);
    EXPECT_DOUBLE_EQ(copy.gap(), 0.1);
}

// The index of the subclass marker "ZORVEL" in the written groups, -1 when absent.
int zorvelMarker(const kelvora::ItemListDxfFiler& filer)
{
    for (int at = filer.find(100); at >= 0; at = filer.find(100, at + 1)) {
        const resbuf* item = filer.itemAt(at);
        if (item->resval.rstring != nullptr && std::wstring(item->resval.rstring) == L"ZORVEL")
            return at;
    }
    return -1;
}

TEST_F(SpecialLineTest, DxfOfABuiltinSymbolHasNoNameNorText)
{
    std::unique_ptr<eXtendedPolyline> source(line100());
    kelvora::ItemListDxfFiler filer(m_db);
    ASSERT_EQ(source->dxfOutFields(&filer), Acad::eOk);
    const int marker = zorvelMarker(filer);
    ASSERT_GE(marker, 0);
    EXPECT_LT(filer.find(1, marker), 0);
    EXPECT_LT(filer.find(2, marker), 0);
    const int code = filer.find(99, marker);
    ASSERT_GE(code, 0);
    EXPECT_EQ(filer.itemAt(code)->resval.rlong, 1);
    EXPECT_DOUBLE_EQ(filer.itemAt(filer.find(140, marker))->resval.rreal, 10.0);
    EXPECT_DOUBLE_EQ(filer.itemAt(filer.find(142, marker))->resval.rreal, 0.1);
    EXPECT_EQ(filer.itemAt(filer.find(171, marker))->resval.rint, 1);
}

TEST_F(SpecialLineTest, DxfOfABlockNamesItWithoutText)
{
    std::unique_ptr<eXtendedPolyline> source(line100());
    customise(*source, eXtendedPolyline::kBlockStyle, addBlock(L"ARBRE"));
    kelvora::ItemListDxfFiler filer(m_db);
    ASSERT_EQ(source->dxfOutFields(&filer), Acad::eOk);
    const int marker = zorvelMarker(filer);
    const int name = filer.find(1, marker);
    ASSERT_GE(name, 0);
    EXPECT_STREQ(filer.itemAt(name)->resval.rstring, L"ARBRE");
    EXPECT_LT(filer.find(2, marker), 0);
}

TEST_F(SpecialLineTest, DxfRoundTripOfATextDecoration)
{
    std::unique_ptr<eXtendedPolyline> source(line100());
    customise(*source, eXtendedPolyline::kTextStyle, m_db->textstyle());
    kelvora::ItemListDxfFiler filer(m_db);
    ASSERT_EQ(source->dxfOutFields(&filer), Acad::eOk);
    const int marker = zorvelMarker(filer);
    EXPECT_STREQ(filer.itemAt(filer.find(1, marker))->resval.rstring, L"Standard");
    EXPECT_STREQ(filer.itemAt(filer.find(2, marker))->resval.rstring, L"Clôture");
    filer.rewindFiler();
    eXtendedPolyline copy;
    ASSERT_EQ(copy.dxfInFields(&filer), Acad::eOk);
    EXPECT_EQ(copy.styleCode(), eXtendedPolyline::kTextStyle);
    EXPECT_EQ(copy.symbolRefId(), m_db->textstyle());
    EXPECT_STREQ(copy.symbolText(), L"Clôture");
    EXPECT_DOUBLE_EQ(copy.spacing(), 4.5);
    EXPECT_DOUBLE_EQ(copy.symbolSize(), 2.25);
    EXPECT_DOUBLE_EQ(copy.gap(), 0.3);
    EXPECT_EQ(copy.placement(), 3);
    EXPECT_EQ(copy.lineMode(), eXtendedPolyline::kLineHidden);
}

// Builds the DXF of a plain line followed by the given ZORVEL groups and reads it into a new entity.
class DxfZorvelGroups : public SpecialLineTest {
protected:
    std::unique_ptr<eXtendedPolyline> readWith(const std::function<void(kelvora::ItemListDxfFiler&)>& groups,
                                               Acad::ErrorStatus expected = Acad::eOk)
    {
        std::unique_ptr<eXtendedPolyline> plain(line100());
        kelvora::ItemListDxfFiler filer(m_db);
        plain->AcDbPolyline::dxfOutFields(&filer);
        filer.appendString(100, L"ZORVEL");
        groups(filer);
        filer.rewindFiler();
        auto read = std::make_unique<eXtendedPolyline>();
        EXPECT_EQ(read->dxfInFields(&filer), expected);
        return read;
    }
};

TEST_F(DxfZorvelGroups, MissingBlockFallsBackToStyleZero)
{
    auto line = readWith([](kelvora::ItemListDxfFiler& f) {
        f.appendString(1, L"NO_SUCH_BLOCK");
        f.appendInt(99, -1);
    });
    EXPECT_EQ(line->styleCode(), 0);
    EXPECT_TRUE(line->symbolRefId().isNull());
}

TEST_F(DxfZorvelGroups, MissingTextStyleFallsBackToStyleZero)
{
    auto line = readWith([](kelvora::ItemListDxfFiler& f) {
        f.appendString(2, L"abc");
        f.appendString(1, L"NO_SUCH_STYLE");
        f.appendInt(99, -2);
    });
    EXPECT_EQ(line->styleCode(), 0);
    EXPECT_TRUE(line->symbolRefId().isNull());
}

TEST_F(DxfZorvelGroups, NamesAreResolvedAfterTheCodeWhateverTheOrder)
{
    const AcDbObjectId block = addBlock(L"ARBRE");
    auto line = readWith([](kelvora::ItemListDxfFiler& f) {
        f.appendReal(141, 3.0);
        f.appendString(1, L"ARBRE");
        f.appendInt(170, 2);
        f.appendInt(99, -1);
    });
    EXPECT_EQ(line->styleCode(), eXtendedPolyline::kBlockStyle);
    EXPECT_EQ(line->symbolRefId(), block);
    EXPECT_DOUBLE_EQ(line->symbolSize(), 3.0);
    EXPECT_EQ(line->placement(), 2);
}

TEST_F(DxfZorvelGroups, ForeignGroupIsPushedBackAndEndsTheReadNormally)
{
    std::unique_ptr<eXtendedPolyline> plain(line100());
    kelvora::ItemListDxfFiler filer(m_db);
    plain->AcDbPolyline::dxfOutFields(&filer);
    filer.appendString(100, L"ZORVEL");
    filer.appendInt(99, 7);
    filer.appendString(3, L"foreign");
    filer.rewindFiler();
    eXtendedPolyline read;
    ASSERT_EQ(read.dxfInFields(&filer), Acad::eOk);
    EXPECT_EQ(read.styleCode(), 7);
    resbuf next{};
    ASSERT_EQ(filer.readResBuf(&next), Acad::eOk);
    EXPECT_EQ(next.restype, 3);
    delete[] next.resval.rstring;
}

TEST_F(DxfZorvelGroups, WithoutTheSubclassTheDecorationStaysDefault)
{
    std::unique_ptr<eXtendedPolyline> plain(line100());
    kelvora::ItemListDxfFiler filer(m_db);
    plain->AcDbPolyline::dxfOutFields(&filer);
    filer.rewindFiler();
    eXtendedPolyline read;
    read.dxfInFields(&filer);
    EXPECT_EQ(read.styleCode(), 1);
    EXPECT_EQ(read.numVerts(), 2u);
}

}  // namespace
