// nPolyLineTalutee: defaults taken from the slope defaults, registration, stroke colours, drawing and explode.
#include <memory>
#include <ostream>

#include "app/class_registry.h"
#include "dbsymtb.h"
#include "kelvora/gi_recorder.h"
#include "rxdict.h"
#include "slope_fixture.h"

namespace {

using namespace kelvora::slopes;

TEST_F(SlopeTest, NewSlopeTakesTheCurrentDefaults)
{
    SlopeDefaults& defaults = slopeDefaults();
    defaults.strokeSpacing = 3.5;
    defaults.longStrokeLength = 8.0;
    defaults.strokeRatio = 2.0;
    defaults.intervalCount = 6;
    defaults.shortStrokeColor = 3;
    defaults.longStrokeColor = -2;
    nPolyLineTalutee slope;
    EXPECT_DOUBLE_EQ(slope.strokeSpacing(), 3.5);
    EXPECT_DOUBLE_EQ(slope.longStrokeLength(), 8.0);
    EXPECT_DOUBLE_EQ(slope.strokeRatio(), 2.0);
    EXPECT_EQ(slope.intervalCount(), 6);
    EXPECT_EQ(slope.shortStrokeColor(), 3);
    EXPECT_EQ(slope.longStrokeColor(), -2);
    EXPECT_EQ(slope.displayFlags(), 1);
    EXPECT_EQ(slope.bothSides(), 0);
    EXPECT_EQ(slope.reservedCode(), 256);
    EXPECT_TRUE(slope.limitIds().isEmpty());
}

TEST_F(SlopeTest, FreshDefaultsAreTheFixedOnes)
{
    nPolyLineTalutee slope;
    EXPECT_DOUBLE_EQ(slope.strokeSpacing(), 2.5);
    EXPECT_DOUBLE_EQ(slope.longStrokeLength(), 6.0);
    EXPECT_DOUBLE_EQ(slope.strokeRatio(), 3.0);
    EXPECT_EQ(slope.intervalCount(), 4);
    EXPECT_EQ(slope.shortStrokeColor(), 1);
    EXPECT_EQ(slope.longStrokeColor(), 2);
}

TEST_F(SlopeTest, ClassIsAPolylineUnderKelvoraWithItsDxfName)
{
    AcRxClass* cls = nPolyLineTalutee::desc();
    ASSERT_NE(cls, nullptr);
    EXPECT_TRUE(cls->isDerivedFrom(AcDbPolyline::desc()));
    EXPECT_EQ(std::wstring(cls->dxfName()), L"NTALUS");
    EXPECT_EQ(std::wstring(cls->appName()), L"KELVORA");
    EXPECT_EQ(cls->proxyFlags(), 0xFF);
    std::unique_ptr<AcRxObject> made(cls->create());
    ASSERT_NE(nPolyLineTalutee::cast(made.get()), nullptr);
    EXPECT_EQ(made->isA(), cls);
    EXPECT_EQ(nPolyLineTalutee::cast(static_cast<AcRxObject*>(nullptr)), nullptr);
}

TEST_F(SlopeTest, RegistryAddsTheSlopeClassAfterTheOthersAndDeletesIt)
{
    kelvora::app::registerClasses();
    AcRxClass* first = nPolyLineTalutee::gpDesc;
    ASSERT_NE(first, nullptr);
    kelvora::app::registerClasses();
    EXPECT_EQ(nPolyLineTalutee::gpDesc, first);
    kelvora::app::unregisterClasses();
    EXPECT_EQ(acrxFindAcRxClass(L"nPolyLineTalutee"), nullptr);
    kelvora::app::registerClasses();
    EXPECT_NE(acrxFindAcRxClass(L"nPolyLineTalutee"), nullptr);
}

struct ColorCase {
    const char* name;
    Adesk::Int16 code;
    Adesk::UInt16 drawn;
};

// Rows print as their names.
void PrintTo(const ColorCase& row, std::ostream* out) { *out << row.name; }

class StrokeColor : public ::testing::TestWithParam<ColorCase> {};

// The slope itself has colour 5 in every row.
TEST_P(StrokeColor, MapsTheCodeToAColourIndex)
{
    EXPECT_EQ(resolveStrokeColor(GetParam().code, 5), GetParam().drawn) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Slopes, StrokeColor,
                         ::testing::Values(ColorCase{"by_entity", -2, 5}, ColorCase{"by_layer", -1, 256},
                                           ColorCase{"by_block", 0, 0}, ColorCase{"red", 1, 1},
                                           ColorCase{"white", 7, 7}, ColorCase{"last_index", 255, 255},
                                           ColorCase{"too_high", 256, 256}, ColorCase{"too_low", -3, 256}),
                         [](const ::testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.name); });

int polylinesDrawn(const kelvora::GiRecorder& recorder)
{
    int count = 0;
    for (const kelvora::GiPrimitive& p : recorder.primitives())
        count += p.kind == kelvora::GiPrimitiveKind::kPolyline ? 1 : 0;
    return count;
}

TEST_F(SlopeTest, DrawingShowsTheOutlineUnlessHiddenAndTheStrokesInTheirColours)
{
    auto slope = straight20();
    slope->setColorIndex(5);
    slope->setLongStrokeColor(-2);
    slope->setShortStrokeColor(3);
    kelvora::GiRecorder shown(m_db);
    shown.drawEntity(slope.get());
    kelvora::GiRecorder hidden(m_db);
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    hidden.drawEntity(slope.get());
    EXPECT_EQ(polylinesDrawn(hidden), 9);
    EXPECT_EQ(polylinesDrawn(shown), 10);
    int longs = 0;
    for (const kelvora::GiPrimitive& p : hidden.primitives()) {
        ASSERT_EQ(p.points.size(), 2u);
        const bool isLong = p.points[0].distanceTo(p.points[1]) > 3.0;
        EXPECT_EQ(p.traits.color.colorIndex(), isLong ? 5 : 3);
        longs += isLong ? 1 : 0;
    }
    EXPECT_EQ(longs, 2);
}

TEST_F(SlopeTest, DraggingDrawsOnlyTheNominalStrokes)
{
    auto slope = straight20();
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    kelvora::GiRecorder recorder(m_db);
    recorder.setDragging(true);
    recorder.drawEntity(slope.get());
    ASSERT_EQ(polylinesDrawn(recorder), 9);
    const kelvora::GiPrimitive& first = recorder.primitives().front();
    EXPECT_NEAR(first.points[0].distanceTo(first.points[1]), 18.0, 1e-9);
}

TEST_F(SlopeTest, BothSidesDrawsTwiceAsManyStrokes)
{
    auto slope = straight20();
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    slope->setBothSides(1);
    kelvora::GiRecorder recorder(m_db);
    recorder.drawEntity(slope.get());
    EXPECT_EQ(polylinesDrawn(recorder), 18);
}

AcDbObjectId layerOf(const ACHAR* name, AcDbDatabase* db)
{
    AcDbLayerTable* table = nullptr;
    AcDbObjectId id;
    if (db->getSymbolTable(table, AcDb::kForRead) == Acad::eOk) {
        table->getAt(name, id);
        table->close();
    }
    return id;
}

TEST_F(SlopeTest, ExplodingAClosedSlopeGivesAnOpenCopyAndLinesOnTheStrokeLayers)
{
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{10, 0}, 0.0}, {{10, 10}, 0.0}, {{0, 10}, 0.0}}, true);
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    AcDbVoidPtrArray made;
    ASSERT_EQ(slope->explode(made), Acad::eOk);
    ASSERT_EQ(made.length(), 1 + 17);
    auto* outline = AcDbPolyline::cast(static_cast<AcRxObject*>(made[0]));
    ASSERT_NE(outline, nullptr);
    EXPECT_FALSE(outline->isClosed());
    ASSERT_EQ(outline->numVerts(), 5u);
    AcGePoint2d last;
    outline->getPointAt(4, last);
    EXPECT_NEAR(last.x, 0.0, 1e-12);
    EXPECT_NEAR(last.y, 0.0, 1e-12);
    const AcDbObjectId shortLayer = layerOf(L"_Petits_traits_taluts", m_db);
    const AcDbObjectId longLayer = layerOf(L"_Grands_traits_taluts", m_db);
    ASSERT_FALSE(shortLayer.isNull());
    ASSERT_FALSE(longLayer.isNull());
    for (int i = 1; i < made.length(); ++i) {
        auto* line = AcDbLine::cast(static_cast<AcRxObject*>(made[i]));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->layerId(), (i - 1) % 4 == 2 ? longLayer : shortLayer) << i;
        EXPECT_EQ(line->colorIndex(), 256);
    }
    for (int i = 0; i < made.length(); ++i)
        delete static_cast<AcDbEntity*>(made[i]);
}

}  // namespace
