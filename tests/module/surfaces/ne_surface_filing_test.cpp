// NESurface filing: DWG in both item orders, and the DXF round trip with what it keeps and drops.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numbers>

#include "dbsymtb.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"
#include "surface_fixture.h"

namespace {

constexpr double kTol = 1e-9;

NESurface* customised(NESurface* s)
{
    s->setLabelString(NESurface::kLotText, L"Lot 12");
    s->setLabelString(NESurface::kPerimeterPrefix, L"P:");
    s->setLabelString(NESurface::kAreaPrefix, L"Surf.");
    s->setLabelString(NESurface::kPerimeterUnit, L"m");
    s->setLabelString(NESurface::kAreaUnit, L"m²");
    s->setLabelFlags(0x5 | NESurface::kAreaHectaresAres);
    s->setTextHeight(3.5);
    s->setLabelDirection(AcGeVector3d(0, 1, 0));
    s->setLabelPoints(AcGePoint3d(1, 2, 0), AcGePoint3d(3, 4, 0), AcGePoint3d(5, 6, 0));
    return s;
}

void expectSameLabels(const NESurface& a, const NESurface& b)
{
    for (int i = 0; i < NESurface::kLabelStringCount; ++i)
        EXPECT_STREQ(a.getLabelString(i), b.getLabelString(i)) << "string " << i;
    EXPECT_NEAR(a.textHeight(), b.textHeight(), kTol);
    EXPECT_TRUE(a.labelDirection().isEqualTo(b.labelDirection()));
    EXPECT_TRUE(a.lotPoint().isEqualTo(b.lotPoint()));
    EXPECT_TRUE(a.areaPoint().isEqualTo(b.areaPoint()));
    EXPECT_TRUE(a.perimeterPoint().isEqualTo(b.perimeterPoint()));
    EXPECT_EQ(a.textStyleId(), b.textStyleId());
    EXPECT_EQ(a.numVerts(), b.numVerts());
}

TEST_F(SurfaceTest, DwgRoundTripKeepsEveryLabelSetting)
{
    std::unique_ptr<NESurface> source(customised(rectangle(0, 0, 10, 10)));
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.seek(0, 0);
    std::unique_ptr<NESurface> copy(new NESurface());
    ASSERT_EQ(copy->dwgInFields(&filer), Acad::eOk);
    expectSameLabels(*source, *copy);
    EXPECT_EQ(copy->labelFlags(), 0x5 | NESurface::kAreaHectaresAres);
    EXPECT_EQ(copy->reservedCode(), 256);
    EXPECT_TRUE(copy->isClosed());
    // Read points stay where they were left.
    EXPECT_EQ(copy->labelsPlaced(), 1);
}

TEST_F(SurfaceTest, DwgReadAcceptsTheOlderItemOrder)
{
    std::unique_ptr<NESurface> source(customised(rectangle(0, 0, 10, 10)));
    // The older layout: the reserved code first, then the polyline's fields, then the rest.
    kelvora::MemoryDwgFiler filer;
    filer.writeInt16(77);
    ASSERT_EQ(source->AcDbPolyline::dwgOutFields(&filer), Acad::eOk);
    filer.writeVector3d(source->labelDirection());
    filer.writeInt16(static_cast<Adesk::Int16>(source->labelFlags()));
    filer.writePoint3d(source->lotPoint());
    filer.writePoint3d(source->areaPoint());
    filer.writePoint3d(source->perimeterPoint());
    filer.writeDouble(source->textHeight());
    for (int i = 0; i < NESurface::kLabelStringCount; ++i)
        filer.writeString(source->getLabelString(i));
    filer.writeHardPointerId(AcDbHardPointerId(source->textStyleId()));
    filer.seek(0, 0);
    std::unique_ptr<NESurface> copy(new NESurface());
    ASSERT_EQ(copy->dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(copy->reservedCode(), 77);
    expectSameLabels(*source, *copy);
}

TEST_F(SurfaceTest, DwgReadStopsAtTruncatedData)
{
    std::unique_ptr<NESurface> source(rectangle(0, 0, 10, 10));
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->AcDbPolyline::dwgOutFields(&filer), Acad::eOk);
    filer.writeInt16(256);
    filer.seek(0, 0);
    std::unique_ptr<NESurface> copy(new NESurface());
    EXPECT_NE(copy->dwgInFields(&filer), Acad::eOk);
}

TEST_F(SurfaceTest, DxfRoundTripKeepsShowBitsButNotAreaFormatNorReservedCode)
{
    std::unique_ptr<NESurface> source(customised(rectangle(0, 0, 10, 10)));
    kelvora::ItemListDxfFiler filer(m_db);
    ASSERT_EQ(source->dxfOutFields(&filer), Acad::eOk);
    filer.rewindFiler();
    std::unique_ptr<NESurface> copy(new NESurface());
    ASSERT_EQ(copy->dxfInFields(&filer), Acad::eOk);
    expectSameLabels(*source, *copy);
    EXPECT_EQ(copy->labelFlags(), 0x5);
    EXPECT_EQ(copy->labelsPlaced(), 1);
}

TEST_F(SurfaceTest, DxfWritesTheSubclassAndJoinedPairs)
{
    std::unique_ptr<NESurface> source(rectangle(0, 0, 10, 10));
    kelvora::ItemListDxfFiler filer(m_db);
    ASSERT_EQ(source->dxfOutFields(&filer), Acad::eOk);
    const int marker = filer.find(100, filer.find(100, filer.find(100) + 1) + 1);
    ASSERT_GE(marker, 0);
    const int area = filer.find(3, marker);
    ASSERT_GE(area, 0);
    EXPECT_STREQ(filer.itemAt(area)->resval.rstring, L"S=||m2");
    const int perimeter = filer.find(4, marker);
    ASSERT_GE(perimeter, 0);
    EXPECT_STREQ(filer.itemAt(perimeter)->resval.rstring, L"L=||ml");
    const int style = filer.find(2, marker);
    ASSERT_GE(style, 0);
    EXPECT_STREQ(filer.itemAt(style)->resval.rstring, L"Standard");
}

// Builds the DXF of a plain surface followed by the given label groups and reads it into a new one.
class DxfLabelGroups : public SurfaceTest {
protected:
    std::unique_ptr<NESurface> readWith(const std::function<void(kelvora::ItemListDxfFiler&)>& groups)
    {
        std::unique_ptr<NESurface> plain(rectangle(0, 0, 10, 10));
        kelvora::ItemListDxfFiler filer(m_db);
        plain->AcDbPolyline::dxfOutFields(&filer);
        filer.appendString(100, L"NSPOLY");
        groups(filer);
        filer.rewindFiler();
        auto read = std::make_unique<NESurface>();
        EXPECT_EQ(read->dxfInFields(&filer), Acad::eOk);
        return read;
    }
};

TEST_F(DxfLabelGroups, AreaTextWithoutSeparatorIsAllPrefix)
{
    auto s = readWith([](kelvora::ItemListDxfFiler& f) { f.appendString(3, L"S="); });
    EXPECT_STREQ(s->getLabelString(NESurface::kAreaPrefix), L"S=");
    EXPECT_STREQ(s->getLabelString(NESurface::kAreaUnit), L"");
}

TEST_F(DxfLabelGroups, UnknownTextStyleGivesTheCurrentOne)
{
    auto s = readWith([](kelvora::ItemListDxfFiler& f) { f.appendString(2, L"NO_SUCH_STYLE"); });
    EXPECT_EQ(s->textStyleId(), m_db->textstyle());
}

TEST_F(DxfLabelGroups, Group271AsksForFreshPlacement)
{
    auto s = readWith([](kelvora::ItemListDxfFiler& f) { f.appendInt(271, 1); });
    EXPECT_EQ(s->labelsPlaced(), 0);
}

TEST_F(DxfLabelGroups, FlagsKeepOnlyTheShowBits)
{
    auto s = readWith([](kelvora::ItemListDxfFiler& f) { f.appendInt(270, 0x607); });
    EXPECT_EQ(s->labelFlags(), 0x7);
}

TEST_F(DxfLabelGroups, ForeignGroupIsPushedBack)
{
    std::unique_ptr<NESurface> plain(rectangle(0, 0, 10, 10));
    kelvora::ItemListDxfFiler filer(m_db);
    plain->AcDbPolyline::dxfOutFields(&filer);
    filer.appendString(100, L"NSPOLY");
    filer.appendString(1, L"Lot 3");
    filer.appendInt(62, 1);
    filer.rewindFiler();
    NESurface read;
    ASSERT_EQ(read.dxfInFields(&filer), Acad::eOk);
    EXPECT_STREQ(read.getLabelString(NESurface::kLotText), L"Lot 3");
    resbuf next{};
    ASSERT_EQ(filer.readResBuf(&next), Acad::eOk);
    EXPECT_EQ(next.restype, 62);
}

TEST_F(DxfLabelGroups, AngleGivesDirectionAboutTheNormal)
{
    auto s = readWith([](kelvora::ItemListDxfFiler& f) { f.appendReal(50, std::numbers::pi / 2); });
    EXPECT_NEAR(s->labelDirection().x, 0.0, kTol);
    EXPECT_NEAR(s->labelDirection().y, 1.0, kTol);
}

}  // namespace
