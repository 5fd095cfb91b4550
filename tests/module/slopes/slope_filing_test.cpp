// nPolyLineTalutee filing: DWG round trips in both layouts, DXF round trips, other orders and missing groups.
#include <functional>
#include <memory>
#include <string>

#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"
#include "slope_fixture.h"

namespace {

using namespace kelvora::slopes;

// A slope with every field away from its default and two limits.
std::unique_ptr<nPolyLineTalutee> customised(AcDbObjectId first, AcDbObjectId second)
{
    auto slope = std::make_unique<nPolyLineTalutee>();
    slope->addVertexAt(0, AcGePoint2d(0, 0), 0.5);
    slope->addVertexAt(1, AcGePoint2d(10, 0));
    slope->addVertexAt(2, AcGePoint2d(10, 10));
    slope->setClosed(Adesk::kTrue);
    slope->setStrokeSpacing(1.75);
    slope->setLongStrokeLength(4.5);
    slope->setStrokeRatio(2.5);
    slope->setIntervalCount(7);
    slope->setShortStrokeColor(-1);
    slope->setLongStrokeColor(6);
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    slope->setBothSides(1);
    slope->appendLimitId(second);
    slope->appendLimitId(first);
    return slope;
}

void expectCustomised(const nPolyLineTalutee& copy, AcDbObjectId first, AcDbObjectId second)
{
    EXPECT_DOUBLE_EQ(copy.strokeSpacing(), 1.75);
    EXPECT_DOUBLE_EQ(copy.longStrokeLength(), 4.5);
    EXPECT_DOUBLE_EQ(copy.strokeRatio(), 2.5);
    EXPECT_EQ(copy.intervalCount(), 7);
    EXPECT_EQ(copy.shortStrokeColor(), -1);
    EXPECT_EQ(copy.longStrokeColor(), 6);
    EXPECT_EQ(copy.displayFlags(), nPolyLineTalutee::kHideOutline);
    ASSERT_EQ(copy.limitIds().length(), 2);
    EXPECT_EQ(copy.limitIds()[0], second);
    EXPECT_EQ(copy.limitIds()[1], first);
    EXPECT_EQ(copy.numVerts(), 3u);
    EXPECT_TRUE(copy.isClosed());
    double bulge = 0.0;
    copy.getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, 0.5);
}

TEST_F(SlopeTest, DwgRoundTripKeepsEveryFieldButTheSide)
{
    const AcDbObjectId a = addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    const AcDbObjectId b = addLine(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0));
    auto source = customised(a, b);
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.seek(0, 0);
    nPolyLineTalutee copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    expectCustomised(copy, a, b);
    EXPECT_EQ(copy.reservedCode(), 256);
    // The side is a DXF-only field: DWG leaves it as the reader had it.
    EXPECT_EQ(copy.bothSides(), 0);
}

TEST_F(SlopeTest, DwgOfTheOlderLayoutWithTheCodeFirstIsRead)
{
    const AcDbObjectId a = addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    auto source = customised(a, a);
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(filer.writeUInt16(777), Acad::eOk);
    ASSERT_EQ(source->AcDbPolyline::dwgOutFields(&filer), Acad::eOk);
    filer.writeDouble(1.75);
    filer.writeUInt16(1);
    filer.writeSoftPointerId(AcDbSoftPointerId(a));
    filer.writeDouble(2.5);
    filer.writeDouble(4.5);
    filer.writeInt16(2);
    filer.writeUInt16(7);
    filer.writeInt16(-1);
    filer.writeInt16(6);
    filer.seek(0, 0);
    nPolyLineTalutee copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(copy.reservedCode(), 777);
    EXPECT_EQ(copy.numVerts(), 3u);
    EXPECT_DOUBLE_EQ(copy.strokeSpacing(), 1.75);
    ASSERT_EQ(copy.limitIds().length(), 1);
    EXPECT_EQ(copy.limitIds()[0], a);
    EXPECT_EQ(copy.intervalCount(), 7);
    EXPECT_EQ(copy.longStrokeColor(), 6);
}

TEST_F(SlopeTest, DwgWithNoLimitsEmptiesTheReadersList)
{
    auto source = straight20();
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.seek(0, 0);
    nPolyLineTalutee copy;
    copy.appendLimitId(addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    EXPECT_TRUE(copy.limitIds().isEmpty());
}

TEST_F(SlopeTest, DwgCutShortAnswersTheFilersFailure)
{
    auto source = straight20();
    kelvora::MemoryDwgFiler full;
    ASSERT_EQ(source->dwgOutFields(&full), Acad::eOk);
    kelvora::MemoryDwgFiler cut;
    ASSERT_EQ(source->AcDbPolyline::dwgOutFields(&cut), Acad::eOk);
    cut.writeUInt16(256);
    cut.writeDouble(9.0);
    cut.seek(0, 0);
    nPolyLineTalutee copy;
    EXPECT_NE(copy.dwgInFields(&cut), Acad::eOk);
    EXPECT_DOUBLE_EQ(copy.strokeSpacing(), 9.0);
    EXPECT_DOUBLE_EQ(copy.strokeRatio(), 3.0);
}

TEST_F(SlopeTest, DxfRoundTripKeepsAllButTheReservedCode)
{
    const AcDbObjectId a = addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    const AcDbObjectId b = addLine(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0));
    auto source = customised(a, b);
    kelvora::ItemListDxfFiler filer(m_db);
    ASSERT_EQ(source->dxfOutFields(&filer), Acad::eOk);
    int marker = -1;
    for (int at = filer.find(100); at >= 0 && marker < 0; at = filer.find(100, at + 1)) {
        if (std::wstring(filer.itemAt(at)->resval.rstring) == L"NTALUS")
            marker = at;
    }
    ASSERT_GE(marker, 0);
    EXPECT_EQ(filer.itemAt(filer.find(330, marker))->restype, 330);
    EXPECT_EQ(filer.itemAt(filer.find(272, marker))->resval.rint, 1);
    filer.rewindFiler();
    nPolyLineTalutee copy;
    ASSERT_EQ(copy.dxfInFields(&filer), Acad::eOk);
    expectCustomised(copy, a, b);
    EXPECT_EQ(copy.bothSides(), 1);
    EXPECT_EQ(copy.reservedCode(), 256);
}

// The DXF of a two-vertex polyline followed by the given NTALUS groups.
void slopeDxf(kelvora::ItemListDxfFiler& filer, const std::function<void(kelvora::ItemListDxfFiler&)>& groups)
{
    auto base = std::make_unique<AcDbPolyline>();
    base->addVertexAt(0, AcGePoint2d(0, 0));
    base->addVertexAt(1, AcGePoint2d(20, 0));
    base->dxfOutFields(&filer);
    filer.appendString(100, L"NTALUS");
    groups(filer);
    filer.rewindFiler();
}

TEST_F(SlopeTest, DxfInAnotherOrderWithGroupsMissingKeepsTheDefaults)
{
    slopeDefaults().strokeRatio = 5.0;
    kelvora::ItemListDxfFiler filer(m_db);
    slopeDxf(filer, [](kelvora::ItemListDxfFiler& f) {
        f.appendReal(40, 1.25);
        f.appendInt(274, 9);
        f.appendInt(270, -2);
    });
    nPolyLineTalutee copy;
    ASSERT_EQ(copy.dxfInFields(&filer), Acad::eOk);
    EXPECT_EQ(copy.numVerts(), 2u);
    EXPECT_DOUBLE_EQ(copy.strokeSpacing(), 1.25);
    EXPECT_EQ(copy.intervalCount(), 9);
    EXPECT_EQ(copy.longStrokeColor(), -2);
    EXPECT_DOUBLE_EQ(copy.strokeRatio(), 5.0);
    EXPECT_DOUBLE_EQ(copy.longStrokeLength(), 6.0);
    EXPECT_EQ(copy.shortStrokeColor(), 1);
}

TEST_F(SlopeTest, DxfReaderStopsAtTheFirstGroupNotItsOwn)
{
    kelvora::ItemListDxfFiler filer(m_db);
    slopeDxf(filer, [](kelvora::ItemListDxfFiler& f) {
        f.appendReal(41, 7.0);
        f.appendString(1, L"not a slope group");
        f.appendReal(42, 9.0);
    });
    nPolyLineTalutee copy;
    ASSERT_EQ(copy.dxfInFields(&filer), Acad::eOk);
    EXPECT_DOUBLE_EQ(copy.longStrokeLength(), 7.0);
    EXPECT_DOUBLE_EQ(copy.strokeRatio(), 3.0);
    resbuf next{};
    ASSERT_EQ(filer.readResBuf(&next), Acad::eOk);
    EXPECT_EQ(next.restype, 1);
    delete[] next.resval.rstring;
}

TEST_F(SlopeTest, DxfZeroIntervalsIsKeptAsRead)
{
    kelvora::ItemListDxfFiler filer(m_db);
    slopeDxf(filer, [](kelvora::ItemListDxfFiler& f) { f.appendInt(274, 0); });
    nPolyLineTalutee copy;
    ASSERT_EQ(copy.dxfInFields(&filer), Acad::eOk);
    EXPECT_EQ(copy.intervalCount(), 0);
    EXPECT_EQ(copy.effectiveIntervalCount(), 1);
}

}  // namespace
