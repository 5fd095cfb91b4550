// AcDbText: extents from the font's real metrics, alignment, what is drawn fits the extents, attributes.
#include <gtest/gtest.h>

#include <cmath>

#include "dbents.h"
#include "entity_test_support.h"
#include "geplane.h"
#include "kelvora/gi_recorder.h"
#include "kelvora/text_metrics.h"

namespace {

AcDbExtents extentsOf(const AcDbText& text)
{
    AcDbExtents box;
    EXPECT_EQ(text.getGeomExtents(box), Acad::eOk);
    return box;
}

}  // namespace

TEST(TextExtents, WidthGrowsWithTheStringAndHeightMatches)
{
    entitytest::WorkingDatabase db;
    AcDbText shortText(AcGePoint3d(0, 0, 0), L"HH", AcDbObjectId::kNull, 2.0);
    AcDbText longText(AcGePoint3d(0, 0, 0), L"HHHHHH", AcDbObjectId::kNull, 2.0);
    AcDbExtents a = extentsOf(shortText);
    AcDbExtents b = extentsOf(longText);
    double wa = a.maxPoint().x - a.minPoint().x;
    double wb = b.maxPoint().x - b.minPoint().x;
    EXPECT_GT(wa, 0.0);
    EXPECT_NEAR(wb / wa, 3.0, 0.35);  // six capitals against two
    // Capitals reach the text height above the baseline and nothing goes below it.
    EXPECT_NEAR(a.maxPoint().y, 2.0, 0.05);
    EXPECT_NEAR(a.minPoint().y, 0.0, 0.05);
}

TEST(TextExtents, MatchTheFontMetricsOfTheStyle)
{
    entitytest::WorkingDatabase db;
    AcDbText text(AcGePoint3d(5, 7, 0), L"Lot 12 gy", AcDbObjectId::kNull, 2.5);
    text.setWidthFactor(0.8);
    AcDbExtents box = extentsOf(text);
    // The drawing's Standard style names the "txt" font.
    kelvora::TextBox expected = kelvora::measureText(kelvora::findFontFace("txt"), "Lot 12 gy", 2.5, 0.8);
    EXPECT_NEAR(box.minPoint().x, 5 + expected.left, 1e-9);
    EXPECT_NEAR(box.maxPoint().x, 5 + expected.right, 1e-9);
    EXPECT_NEAR(box.minPoint().y, 7 + expected.bottom, 1e-9);
    EXPECT_NEAR(box.maxPoint().y, 7 + expected.top, 1e-9);
    EXPECT_LT(expected.bottom, 0.0);  // "g" and "y" descend
}

TEST(TextExtents, WhatIsDrawnFitsTheExtents)
{
    entitytest::WorkingDatabase db;
    AcDbText text(AcGePoint3d(3, 4, 0), L"Surface S=120.50 m2", AcDbObjectId::kNull, 1.8, 0.6);
    text.setOblique(0.2);
    kelvora::GiRecorder recorder(db.get());
    recorder.drawEntity(&text);
    ASSERT_EQ(recorder.primitives().size(), 1u);
    const kelvora::GiPrimitive& drawn = recorder.primitives().front();
    ASSERT_EQ(drawn.kind, kelvora::GiPrimitiveKind::kText);
    AcGePoint3d drawnCorners[4];
    kelvora::textCorners(drawn, drawnCorners);
    AcGePoint3d corners[4];
    text.getBoundingPoints(corners);
    for (int i = 0; i < 4; ++i)
        entitytest::expectNear(drawnCorners[i], corners[i], 1e-9);
}

TEST(TextAlignment, CentredTextIsCentredOnItsAlignmentPoint)
{
    entitytest::WorkingDatabase db;
    AcDbText text(AcGePoint3d(0, 0, 0), L"ABCDEF", AcDbObjectId::kNull, 2.0);
    text.setHorizontalMode(AcDb::kTextMid);
    text.setAlignmentPoint(AcGePoint3d(100, 50, 0));
    AcDbExtents box = extentsOf(text);
    EXPECT_NEAR(0.5 * (box.minPoint().x + box.maxPoint().x), 100.0, 1e-9);
    EXPECT_NEAR(0.5 * (box.minPoint().y + box.maxPoint().y), 50.0, 1e-9);
    text.setHorizontalMode(AcDb::kTextRight);
    text.setVerticalMode(AcDb::kTextTop);
    box = extentsOf(text);
    EXPECT_NEAR(box.maxPoint().y, 50.0, 0.05);
    EXPECT_LT(box.maxPoint().x, 100.0 + 0.2);
    EXPECT_GT(box.maxPoint().x, 100.0 - 0.3);
}

TEST(TextAlignment, RotationTurnsTheBox)
{
    entitytest::WorkingDatabase db;
    AcDbText text(AcGePoint3d(0, 0, 0), L"HHHH", AcDbObjectId::kNull, 1.0, 3.14159265358979323846 / 2.0);
    AcDbExtents box = extentsOf(text);
    // Turned a quarter turn: the string runs up the Y axis, the letters stand to the left.
    EXPECT_GT(box.maxPoint().y - box.minPoint().y, 2.0);
    EXPECT_NEAR(box.minPoint().x, -1.0, 0.05);
    EXPECT_NEAR(box.maxPoint().x, 0.0, 0.05);
}

TEST(TextTransform, ScalingScalesTheHeightAndMirroringReadsBackwards)
{
    entitytest::WorkingDatabase db;
    AcDbText text(AcGePoint3d(1, 0, 0), L"A", AcDbObjectId::kNull, 2.0);
    ASSERT_EQ(text.transformBy(AcGeMatrix3d::scaling(2.0, AcGePoint3d(0, 0, 0))), Acad::eOk);
    EXPECT_DOUBLE_EQ(text.height(), 4.0);
    entitytest::expectNear(text.position(), AcGePoint3d(2, 0, 0));
    AcGeMatrix3d mirror;
    mirror.setToMirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis));
    ASSERT_EQ(text.transformBy(mirror), Acad::eOk);
    EXPECT_TRUE(text.isMirroredInX());
    EXPECT_NEAR(text.rotation(), 0.0, 1e-12);  // the baseline still points along +X, read backwards
    entitytest::expectNear(text.position(), AcGePoint3d(-2, 0, 0));
    AcDbExtents box;
    ASSERT_EQ(text.getGeomExtents(box), Acad::eOk);
    EXPECT_LT(box.minPoint().x, -2.5);  // the letter now stands left of its insertion point
    EXPECT_NEAR(box.maxPoint().x, -2.0, 0.3);
}

TEST(Attributes, DefinitionFlagsAndTagRules)
{
    AcDbAttributeDefinition def(AcGePoint3d(0, 0, 0), L"value", L"LOT", L"Lot number");
    EXPECT_EQ(def.setTag(L"two words"), Acad::eInvalidInput);
    EXPECT_EQ(def.setTag(L""), Acad::eInvalidInput);
    EXPECT_EQ(std::wstring(def.tagConst()), L"LOT");
    def.setConstant(Adesk::kTrue);
    def.setPreset(Adesk::kTrue);
    AcDbAttribute attr;
    ASSERT_EQ(attr.setAttributeFromBlock(&def, AcGeMatrix3d::translation(AcGeVector3d(10, 0, 0))), Acad::eOk);
    EXPECT_EQ(std::wstring(attr.tagConst()), L"LOT");
    EXPECT_TRUE(attr.isConstant());
    EXPECT_TRUE(attr.isPreset());
    EXPECT_FALSE(attr.isInvisible());
    entitytest::expectNear(attr.position(), AcGePoint3d(10, 0, 0));
}
